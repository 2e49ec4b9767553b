// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The source file of each target that holds a precompiled header
// (PrecompiledHeaders.cmake); it has nothing of its own.
