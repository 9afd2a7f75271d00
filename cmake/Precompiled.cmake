# Precompiled headers. Most of the time spent compiling a window or test source goes into
# the same Qt, GoogleTest and standard headers, so each group of targets parses them once.

# The Qt Widgets headers nearly every window source includes.
set(VN574_QT_WIDGETS_PCH
  <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QTimer> <QtCore/QPointer>
  <QtGui/QAction> <QtGui/QKeyEvent> <QtGui/QIcon>
  <QtWidgets/QApplication> <QtWidgets/QWidget> <QtWidgets/QDialog> <QtWidgets/QMainWindow>
  <QtWidgets/QLabel> <QtWidgets/QLineEdit> <QtWidgets/QComboBox> <QtWidgets/QPushButton>
  <QtWidgets/QCheckBox> <QtWidgets/QMenu> <QtWidgets/QMessageBox> <QtWidgets/QTableView>
  <QtWidgets/QHeaderView> <QtWidgets/QBoxLayout> <QtWidgets/QGridLayout>
  <QtWidgets/QDialogButtonBox> <QtWidgets/QStyledItemDelegate>
  <string> <vector> <map> <memory> <optional> <functional>)

set(VN574_GTEST_PCH
  <gtest/gtest.h> <gmock/gmock.h>
  <string> <vector> <map> <memory> <optional> <functional> <filesystem> <fstream> <sstream>)

# vn574_precompile(TARGET HEADERS...): TARGET parses HEADERS once for all its sources.
function(vn574_precompile target)
  target_precompile_headers(${target} PRIVATE ${ARGN})
endfunction()

# vn574_precompile_like(TARGET HOLDER): TARGET reuses the precompiled headers of HOLDER,
# whose compile options and definitions it shares.
function(vn574_precompile_like target holder)
  target_precompile_headers(${target} REUSE_FROM ${holder})
endfunction()
