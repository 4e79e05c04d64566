#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing_support {

struct ProgramOutcome {
  int exitCode;
  QString output, errors;
};

// Runs the program (or another, such as a shell or a TeX tool) with the arguments in a
// working folder and waits for it.
inline ProgramOutcome runProgram(
    const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    const QString& program = QStringLiteral(VD_EXECUTABLE), const QString& folder = {}) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(folder);
  process.start(program, arguments);
  process.closeWriteChannel();
  EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace testing_support
