// One start of a program that keeps one instance per user, made the way the editor starts:
// it takes the name, or hands its file to the instance that has it. The instance that takes
// the name serves later starts for a while, then prints every file it was given, its own
// first.
//
//   instance_starter NAME FILE SERVE_MS
//
// prints "listening", "delivered", "no answer" or "alone", then, when listening, one
// "file PATH" line per file.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 4) return 2;
  const QString file = arguments.at(2);

  using Outcome = wabunko::SingleInstance::Outcome;
  wabunko::SingleInstance instance(arguments.at(1));
  QTextStream out(stdout);
  switch (instance.start({file})) {
    case Outcome::Delivered: out << "delivered\n"; return 0;
    case Outcome::NoAnswer: out << "no answer\n"; return 1;
    case Outcome::Alone: out << "alone\n"; return 1;
    case Outcome::Listening: break;
  }
  QStringList files{file};
  QObject::connect(&instance, &wabunko::SingleInstance::messageReceived,
                   [&files](const QStringList& message) { files << message; });
  instance.deliverMessages();
  QTimer::singleShot(arguments.at(3).toInt(), &application, &QCoreApplication::quit);
  QCoreApplication::exec();
  out << "listening\n";
  for (const QString& f : files) out << "file " << f << '\n';
  return 0;
}
