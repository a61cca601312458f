#pragma once
// What every message of the libraries is held to: whole sentences that say
// what is wrong and then what to do.

#include <QRegularExpression>
#include <QString>

namespace test_support {

// A capital first, a full stop last, and at least two sentences.
inline bool SaysWhatIsWrongAndWhatToDo(const QString& message) {
  static const QRegularExpression shape(QStringLiteral(R"(^[A-Z].*\.\s+[A-Z].*\.$)"),
                                        QRegularExpression::DotMatchesEverythingOption);
  return shape.match(message).hasMatch();
}

}  // namespace test_support
