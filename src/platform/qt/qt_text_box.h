// host::TextBox over the QPlainTextEdit Text1.
#pragma once

#include <QMetaObject>

#include "core/host/text_box.h"

namespace platform::qt {

class FormWidget;

class QtTextBox final : public host::TextBox {
  public:
    // Watches Text1's edits to keep its wrap mode fitting what it holds.
    explicit QtTextBox(FormWidget& form);
    ~QtTextBox() override;
    QtTextBox(const QtTextBox&) = delete;
    QtTextBox& operator=(const QtTextBox&) = delete;

    void set_text(std::u16string text) override;
    void set_width(float twips) override;
    void set_height(float twips) override;

    std::u16string font_name() const override;
    bool font_bold() const override;
    bool font_italic() const override;
    float font_size() const override;

    void set_font_name(const std::u16string& name) override;
    void set_font_bold(bool bold) override;
    void set_font_italic(bool italic) override;
    void set_font_size(float points) override;

  private:
    void on_edited(int position, int added);

    FormWidget& form_;
    QMetaObject::Connection edits_;
    bool replacing_ = false;
};

}  // namespace platform::qt
