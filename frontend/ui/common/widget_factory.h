#ifndef TRAKVIST_FRONTEND_UI_COMMON_WIDGET_FACTORY_H_
#define TRAKVIST_FRONTEND_UI_COMMON_WIDGET_FACTORY_H_

#include <QString>
#include <QStyle>
#include <initializer_list>
#include <string_view>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace trakvist {

class NumberEdit;
class UpDown;

// Small constructors for the captioned controls of the windows: each sets
// the control's object name, caption and tooltip (none when empty).

template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

QGroupBox* MakeFrame(const QString& name, std::string_view caption);
QLabel* MakeLabel(const QString& name, std::string_view caption);
QCheckBox* MakeCheckBox(const QString& name, std::string_view caption,
                        std::string_view tooltip = {});
QRadioButton* MakeRadioButton(const QString& name, std::string_view caption,
                              std::string_view tooltip = {});
QPushButton* MakeButton(const QString& name, std::string_view caption);
// Underlines the caption's letter at `position` as the button's Alt key.
void SetMnemonic(QAbstractButton* button, int position);
// A drop-down list of fixed items the user picks from.
QComboBox* MakeList(const QString& name, std::initializer_list<std::string_view> items);
QComboBox* MakeList(const QString& name);
// A drop-down list that takes the width its row leaves, whatever its items;
// `list` is one of a kind of its own, a plain one when null.
QComboBox* MakeWideList(const QString& name, QComboBox* list = nullptr);
// A small button that shows a picture from the style instead of a caption.
QToolButton* MakePictureButton(const QString& name, QStyle::StandardPixmap picture,
                               std::string_view tooltip);

// Width of a text field that shows `characters` digits.
int TextWidthFor(const QWidget* widget, int characters);

// The row below the last one of `grid` (0 for an empty grid, for which Qt
// already counts one row).
int NextRow(const QGridLayout* grid);

// A grid of rows "label | field | spinner" whose labels take the spare width.
QGridLayout* MakeFieldGrid();

// A number field `name`_index of `digits` digits with its spinner
// `UpDown`_index close beside it, labelled by `label`.
struct SpinnerField {
  NumberEdit* edit = nullptr;
  UpDown* up_down = nullptr;
  QHBoxLayout* layout = nullptr;
};
SpinnerField MakeSpinnerField(std::string_view name, int index, int digits, QLabel* label);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_WIDGET_FACTORY_H_
