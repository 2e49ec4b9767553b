# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The Qt Widgets headers that the window, start-up and their tests include,
# parsed once per build folder instead of once per source file: one
# precompiled header that every target using Qt Widgets (directly or through
# one of our libraries) reuses. The targets are found, not listed, so a new
# window or test target gets it too.

# The Qt headers most of the window's sources include.
set(quantaro_qt_pch_headers
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

# Called once every target is defined.
function(quantaro_precompile_qt_headers)
  add_library(quantaro_qt_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/qt_pch.cpp)
  target_link_libraries(quantaro_qt_pch PRIVATE Qt6::Widgets)
  target_precompile_headers(quantaro_qt_pch PRIVATE ${quantaro_qt_pch_headers})
  set_target_properties(quantaro_qt_pch PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  quantaro_targets_in(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$" OR target STREQUAL "quantaro_qt_pch")
      continue()
    endif()
    quantaro_linked_targets(linked ${target})
    if("Qt6::Widgets" IN_LIST linked OR "Qt::Widgets" IN_LIST linked)
      target_precompile_headers(${target} REUSE_FROM quantaro_qt_pch)
    endif()
  endforeach()
endfunction()
