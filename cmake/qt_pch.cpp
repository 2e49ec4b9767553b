// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The source file of the target that holds the precompiled Qt headers
// (QtPrecompiledHeaders.cmake); it has nothing of its own.
