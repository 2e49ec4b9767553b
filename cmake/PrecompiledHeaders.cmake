# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Qt's big headers, parsed once per build folder instead of once per source
# file: always for the test programs (tests/), for every target with
# QUANTARO_PCH. Each set below is one precompiled header that every target
# using its Qt library (directly or through one of our libraries) reuses; a
# target takes the first set whose library it links. The targets are found,
# not listed, so a new window, service or test target gets its set too.
# (gtest's header is left out: GCC 12 then loses the standard library's own
# silencing of its false -Warray-bounds reports in std::string's operator+.)

# The Qt Widgets headers most of the window's sources include.
set(quantaro_pch_widgets
  <QAbstractItemView>
  <QApplication>
  <QComboBox>
  <QDialog>
  <QKeyEvent>
  <QLabel>
  <QLineEdit>
  <QMenu>
  <QScreen>
  <QSettings>
  <QString>
  <QTimer>
)
# The search service: its D-Bus adaptors, as Qt generates them, include the
# whole of Qt D-Bus and Qt Core.
set(quantaro_pch_dbus
  <QtDBus/QtDBus>
)

# Every target defined in `dir` and the folders below it.
function(quantaro_targets_in dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    quantaro_targets_in(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The translation units a target compiles: its C++ sources, or, in a unity
# build, one for every batch of them.
function(quantaro_translation_units target out)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.(cc|cpp|cxx)$")
  list(LENGTH sources count)
  get_target_property(unity ${target} UNITY_BUILD)
  get_target_property(batch ${target} UNITY_BUILD_BATCH_SIZE)
  if(unity AND count GREATER 0)
    if(NOT batch)
      set(count 1)
    else()
      math(EXPR count "(${count} + ${batch} - 1) / ${batch}")
    endif()
  endif()
  set(${out} ${count} PARENT_SCOPE)
endfunction()

# Called once the targets of `dir` are defined, from that folder's
# CMakeLists.txt, so that each set's precompiled header is compiled with the
# flags of the targets that reuse it. Each set's header is made by a target of
# its own, <prefix>_<set>, linking only the set's library (none without the
# window: nothing then uses Qt), and only where two or more translation units
# take it: compiling it costs about one parse of its headers, so for a single
# one it saves nothing. A target that already reuses a header keeps it.
function(quantaro_precompile_headers dir prefix)
  quantaro_targets_in(${dir} targets)
  set(names widgets dbus)
  set(libraries Qt6::Widgets Qt6::DBus)
  set(sets)
  foreach(set library IN ZIP_LISTS names libraries)
    if(TARGET ${library})
      list(APPEND sets ${set})
      set(library_of_${set} ${library})
      set(users_of_${set})
      set(units_of_${set} 0)
    endif()
  endforeach()
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(reused ${target} PRECOMPILE_HEADERS_REUSE_FROM)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$" OR reused OR target MATCHES "_pch_")
      continue()
    endif()
    quantaro_linked_targets(linked ${target})
    foreach(set IN LISTS sets)
      if(library_of_${set} IN_LIST linked)
        list(APPEND users_of_${set} ${target})
        quantaro_translation_units(${target} units)
        math(EXPR units_of_${set} "${units_of_${set}} + ${units}")
        break()
      endif()
    endforeach()
  endforeach()
  foreach(set IN LISTS sets)
    if(units_of_${set} LESS 2)
      continue()
    endif()
    add_library(${prefix}_${set} STATIC ${PROJECT_SOURCE_DIR}/cmake/pch.cpp)
    target_link_libraries(${prefix}_${set} PRIVATE ${library_of_${set}})
    target_precompile_headers(${prefix}_${set} PRIVATE ${quantaro_pch_${set}})
    set_target_properties(${prefix}_${set} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF UNITY_BUILD OFF)
    foreach(target IN LISTS users_of_${set})
      target_precompile_headers(${target} REUSE_FROM ${prefix}_${set})
      # A target without headers (a test program) has its Q_OBJECT classes,
      # if any, in its sources, which include their moc output; the moc
      # output compiled beside them is then empty, and a precompiled header
      # would cost GCC a read of the whole file (almost a second) for nothing.
      get_target_property(headers ${target} SOURCES)
      list(FILTER headers INCLUDE REGEX "\\.h$")
      if(NOT headers)
        get_target_property(binary_dir ${target} BINARY_DIR)
        set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
          TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON
        )
      endif()
    endforeach()
  endforeach()
endfunction()
