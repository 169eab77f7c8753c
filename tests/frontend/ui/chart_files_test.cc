// The chart files of the window-less mode and of "Save Chart…": one chart
// written as PNG, SVG and PDF and read back as pictures of one size must
// show the same layout, down to a small difference of the renderers.
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "frontend/model/common/number_text.h"
#include "frontend/ui/charts/chart_export.h"

namespace trakvist {
namespace {

constexpr QSize kPicture(1600, 1000);
// Compared at a quarter of the size, where text of the same layout blurs
// alike whatever renderer drew it.
constexpr QSize kCompared(400, 250);
constexpr int kInkTolerance = 64;
constexpr double kMostDiffering = 0.01;

// Forty head positions by three algorithms, with every text a chart has.
ChartModel Chart() {
  ChartModel model;
  model.chart_type = ChartType::kLines;
  model.legend_shown = true;
  SetChartGrid(&model, 40, 3);
  model.series_labels = {"SSTF", "C-SCAN", "S-LOOK"};
  for (int i = 0; i < 40; ++i) {
    model.category_labels[i] = NumberText(25.0 * i);
    for (int s = 0; s < 3; ++s) model.values[i][s] = NumberText(1200.0 + 40 * s + 13 * (i % 9));
  }
  model.category1_second_label = "Head Start Position";
  model.y_axis_title = "Total Seek Time (TU)";
  model.title = "Total Seek Time,  Total Cylinders=1000";
  model.footnote = "(For Head Start Position=0) SSTF: 1200  C-SCAN: 1240  S-LOOK: 1280  ";
  return model;
}

QImage Flattened(const QImage& image) {
  QImage white(image.size(), QImage::Format_RGB32);
  white.fill(Qt::white);
  QPainter painter(&white);
  painter.drawImage(0, 0, image);
  painter.end();
  return white.scaled(kCompared, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage SvgPicture(const QString& path) {
  QSvgRenderer renderer(path);
  QImage image(kPicture, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kPicture)));
  return image;
}

QImage PdfPicture(const QString& path, const QString& folder) {
  const QString stem = folder + QStringLiteral("/page");
  QProcess::execute(
      QStringLiteral("pdftoppm"),
      {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-scale-to-x"),
       QString::number(kPicture.width()), QStringLiteral("-scale-to-y"),
       QString::number(kPicture.height()), path, stem});
  return QImage(stem + QStringLiteral(".png"));
}

// The share of pixels whose grey level differs by more than the tolerance.
double Differing(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > kInkTolerance) ++differing;
    }
  }
  return differing / static_cast<double>(a.width() * a.height());
}

}  // namespace

class ChartFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void threeFilesShowOneLayout();
};

void ChartFilesTest::threeFilesShowOneLayout() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const ChartModel chart = Chart();
  const auto write = [&](const char* name, ChartFormat format) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const std::string error = ExportChart(chart, path.toStdString(), format);
    return error.empty() ? path : QString();
  };
  const QString png = write("chart.png", ChartFormat::kPng);
  const QString svg = write("chart.svg", ChartFormat::kSvg);
  const QString pdf = write("chart.pdf", ChartFormat::kPdf);
  QVERIFY(!png.isEmpty() && !svg.isEmpty() && !pdf.isEmpty());

  const QImage from_png = Flattened(QImage(png));
  QCOMPARE(QImage(png).size(), kPicture);
  const QImage svg_picture = SvgPicture(svg);
  const double svg_differs = Differing(from_png, Flattened(svg_picture));
  if (svg_differs >= kMostDiffering) {
    // Kept for a look at the difference.
    folder.setAutoRemove(false);
    svg_picture.save(folder.filePath("chart_svg.png"));
  }
  QVERIFY2(svg_differs < kMostDiffering,
           qPrintable(QStringLiteral("%1 differ; see %2").arg(svg_differs).arg(folder.path())));

  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
    QSKIP("pdftoppm (poppler-utils) is needed to read the PDF page back");
  }
  const QImage page = PdfPicture(pdf, folder.path());
  QCOMPARE(page.size(), kPicture);
  const double pdf_differs = Differing(from_png, Flattened(page));
  if (pdf_differs >= kMostDiffering) folder.setAutoRemove(false);
  QVERIFY2(pdf_differs < kMostDiffering,
           qPrintable(QStringLiteral("%1 differ; see %2").arg(pdf_differs).arg(folder.path())));
}

}  // namespace trakvist

QTEST_MAIN(trakvist::ChartFilesTest)
#include "chart_files_test.moc"
