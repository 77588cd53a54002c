// The small steps the window's panels build their controls with: an object name, a caption label,
// a bevel.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>

namespace ui {

// The name a control goes by for tests, tools and screen readers.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QLabel* Caption(const char* name, const QString& text, QWidget* parent, int left, int top) {
    auto* const label = Named(new QLabel(text, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

inline QFrame* Bevel(const char* name, QFrame::Shadow shadow, QWidget* parent) {
    auto* const frame = Named(new QFrame(parent), name);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(1);
    return frame;
}

}  // namespace ui
