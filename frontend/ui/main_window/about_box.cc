#include "frontend/ui/main_window/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/common/ui_texts.h"

namespace trakvist {
namespace {

constexpr int kIconSize = 48;
constexpr int kTextWidth = 340;

QLabel* Line(const QString& name, const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  return label;
}

QLabel* NameLine() {
  QLabel* label = Line(QStringLiteral("AboutName"), ToQString(kProgramName));
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(ToQString(kAboutTitle));

  auto* icon = new QLabel;
  icon->setPixmap(
      style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize, kIconSize));
  auto* description = Line(QStringLiteral("AboutDescription"), ToQString(kAboutDescription));
  description->setWordWrap(true);
  description->setFixedWidth(kTextWidth);
  auto* text = new QVBoxLayout;
  text->addWidget(NameLine());
  text->addWidget(Line(QStringLiteral("AboutVersion"),
                       QStringLiteral("Version ") + QStringLiteral(TRAKVIST_VERSION)));
  text->addSpacing(8);
  text->addWidget(description);

  auto* body = new QHBoxLayout;
  body->addWidget(icon, 0, Qt::AlignTop);
  body->addSpacing(12);
  body->addLayout(text);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("AboutOK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace trakvist
