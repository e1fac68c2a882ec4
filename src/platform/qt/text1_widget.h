// Text1's widget: a QPlainTextEdit whose pastes, from the keyboard, its menu, the middle button
// or a drop, are held to the shared paste bound.
#pragma once

#include <QPlainTextEdit>

#include "platform/common/failure_report.h"

namespace platform::qt {

class Text1Widget final : public QPlainTextEdit {
  public:
    // `failures` reports anything that goes wrong while a paste is weighed.
    Text1Widget(QWidget& parent, common::FailureReporter& failures);

  protected:
    // A paste that would make the box hold more than the bound is refused with a message and
    // changes nothing; any other inserts the plain text, as the box always did.
    void insertFromMimeData(const QMimeData* source) override;

  private:
    bool paste_fits(const QString& pasted);

    common::FailureReporter& failures_;
};

}  // namespace platform::qt
