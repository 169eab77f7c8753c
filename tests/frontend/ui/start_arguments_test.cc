// The command line of the Trakvist program.
#include "frontend/ui/start_arguments.h"

#include <QTest>

namespace trakvist {

class StartArgumentsTest : public QObject {
  Q_OBJECT

 private slots:
  void parse_data();
  void parse();
};

void StartArgumentsTest::parse_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("file");  // empty: none
  QTest::addColumn<bool>("help");
  QTest::addColumn<QString>("error");
  QTest::newRow("nothing") << QStringList{} << "" << false << "";
  QTest::newRow("a file") << QStringList{"runs/sim.txt"} << "runs/sim.txt" << false << "";
  QTest::newRow("a lone dash is a file") << QStringList{"-"} << "-" << false << "";
  QTest::newRow("a file named like an option")
      << QStringList{"--", "-odd.txt"} << "-odd.txt" << false << "";
  QTest::newRow("help") << QStringList{"--help"} << "" << true << "";
  QTest::newRow("unknown option") << QStringList{"-x", "sim.txt"} << "" << false
                                  << "unknown option -x";
  QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << "a.txt" << false
                             << "only one file can be opened, not also b.txt";
}

void StartArgumentsTest::parse() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, file);
  QFETCH(bool, help);
  QFETCH(QString, error);
  std::vector<std::string> list;
  for (const QString& argument : arguments) list.push_back(argument.toStdString());
  const StartArguments parsed = ParseStartArguments(list);
  QCOMPARE(QString::fromStdString(parsed.open_file.value_or("")), file);
  QCOMPARE(parsed.help, help);
  QCOMPARE(QString::fromStdString(parsed.error), error);
}

}  // namespace trakvist

QTEST_MAIN(trakvist::StartArgumentsTest)
#include "start_arguments_test.moc"
