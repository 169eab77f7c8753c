#include "frontend/ui/common/widget_factory.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "frontend/ui/common/background.h"
#include "frontend/ui/common/object_names.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/up_down.h"

namespace trakvist {
namespace {

void SetToolTip(QWidget* widget, std::string_view tooltip) {
  if (!tooltip.empty()) widget->setToolTip(ToQString(tooltip));
}

QComboBox* SetUpList(QComboBox* list, const QString& name) {
  Named(list, name);
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  SetBackground(list, ColorRole::kWindow);
  return list;
}

}  // namespace

QGroupBox* MakeFrame(const QString& name, std::string_view caption) {
  return Named(new QGroupBox(ToQString(caption)), name);
}

QLabel* MakeLabel(const QString& name, std::string_view caption) {
  return Named(new QLabel(ToQString(caption)), name);
}

QCheckBox* MakeCheckBox(const QString& name, std::string_view caption, std::string_view tooltip) {
  auto* box = Named(new QCheckBox(ToQString(caption)), name);
  SetToolTip(box, tooltip);
  return box;
}

QRadioButton* MakeRadioButton(const QString& name, std::string_view caption,
                              std::string_view tooltip) {
  auto* button = Named(new QRadioButton(ToQString(caption)), name);
  SetToolTip(button, tooltip);
  return button;
}

QPushButton* MakeButton(const QString& name, std::string_view caption) {
  auto* button = Named(new QPushButton(ToQString(caption)), name);
  button->setAutoDefault(false);
  return button;
}

void SetMnemonic(QAbstractButton* button, int position) {
  QString text = button->text();
  text.insert(position, QLatin1Char('&'));
  button->setText(text);
}

QComboBox* MakeList(const QString& name, std::initializer_list<std::string_view> items) {
  auto* list = MakeList(name);
  for (const std::string_view item : items) list->addItem(ToQString(item));
  return list;
}

QComboBox* MakeList(const QString& name) { return SetUpList(new QComboBox, name); }

QComboBox* MakeWideList(const QString& name, QComboBox* list) {
  list = SetUpList(list != nullptr ? list : new QComboBox, name);
  // Sizing to the contents would pin the list to its items' width.
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return list;
}

QToolButton* MakePictureButton(const QString& name, QStyle::StandardPixmap picture,
                               std::string_view tooltip) {
  auto* button = Named(new QToolButton, name);
  button->setIcon(QApplication::style()->standardIcon(picture));
  button->setAutoRaise(false);
  SetToolTip(button, tooltip);
  return button;
}

int TextWidthFor(const QWidget* widget, int characters) {
  const QFontMetrics metrics = widget->fontMetrics();
  // Room for the frame and the text margins of a line edit.
  constexpr int kFrameAndMargins = 14;
  return metrics.horizontalAdvance(QLatin1Char('0')) * characters + kFrameAndMargins;
}

int NextRow(const QGridLayout* grid) { return grid->count() == 0 ? 0 : grid->rowCount(); }

QGridLayout* MakeFieldGrid() {
  auto* grid = new QGridLayout;
  grid->setColumnStretch(0, 1);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(4);
  return grid;
}

SpinnerField MakeSpinnerField(std::string_view name, int index, int digits, QLabel* label) {
  SpinnerField field;
  field.edit = Named(new NumberEdit, IndexedName(name, index));
  field.edit->setFixedWidth(TextWidthFor(field.edit, digits));
  field.up_down = Named(new UpDown, IndexedName("UpDown", index));
  label->setBuddy(field.edit);
  field.layout = new QHBoxLayout;
  field.layout->setSpacing(0);
  field.layout->addWidget(field.edit);
  field.layout->addWidget(field.up_down);
  return field;
}

}  // namespace trakvist
