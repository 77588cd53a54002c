// The text interface of a control whose text a screen reader reads but cannot change: the whole
// text, its characters' places on the screen, no caret and no selection of its own.
#pragma once

#include <QAccessibleTextInterface>
#include <QFontMetrics>
#include <QWidget>

namespace ui {

class ReadOnlyAccessibleText : public QAccessibleTextInterface {
  public:
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}

    QString text(int startOffset, int endOffset) const override {
        return ShownText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(ShownText().size()); }

    // The text starts at the left of its area, in the widget's font.
    QRect characterRect(int offset) const override {
        const QString shown = ShownText();
        if (offset < 0 || offset >= shown.size()) {
            return {};
        }
        const QFontMetrics metrics = TextWidget().fontMetrics();
        const QRect area = TextArea();
        const QRect character(area.left() + metrics.horizontalAdvance(shown.left(offset)),
                              area.center().y() - metrics.height() / 2,
                              metrics.horizontalAdvance(shown.at(offset)), metrics.height());
        return character.translated(TextWidget().mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point)) {
                return offset;
            }
        }
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

  protected:
    ~ReadOnlyAccessibleText() override = default;
    virtual QString ShownText() const = 0;
    virtual const QWidget& TextWidget() const = 0;
    // Where the text stands in the widget.
    virtual QRect TextArea() const { return TextWidget().contentsRect(); }
};

}  // namespace ui
