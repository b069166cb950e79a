// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Controls.h"

#include "framework/Errors.h"

namespace kestrava {

namespace {
void applyStyle(QWidget& widget, const TextStyle& style) {
    widget.setFont(style.font);
    QPalette palette = widget.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, style.background);
        palette.setColor(group, QPalette::Window, style.background);
        palette.setColor(group, QPalette::Text, style.text);
        palette.setColor(group, QPalette::WindowText, style.text);
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
}  // namespace

TListBox::TListBox(QWidget* parent, QRect bounds, const TextStyle& style, int itemHeight)
    : QListWidget(parent) {
    setGeometry(bounds);
    setFrameShape(QFrame::NoFrame);
    applyStyle(*this, style);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    itemHeight_ = itemHeight;
}

QStringList TListBox::Items() const {
    QStringList lines;
    for (int i = 0; i < count(); ++i)
        lines << item(i)->text();
    return lines;
}

void TListBox::setItems(const QStringList& lines) {
    clear();
    for (const QString& line : lines)
        append(line);
}

QString TListBox::line(int index) const {
    if (index < 0 || index >= count())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return item(index)->text();
}

void TListBox::deleteFirst() {
    if (count() > 0)
        delete takeItem(0);
}

// Each item carries the list's font and height itself: the item view's style
// would otherwise pad and resize the lines.
void TListBox::append(const QString& line) {
    auto* item = new QListWidgetItem(line, this);
    item->setFont(font());
    item->setSizeHint(QSize(0, itemHeight_));
}

TMemo::TMemo(QWidget* parent, QRect bounds, const TextStyle& style, const QStringList& lines)
    : QPlainTextEdit(parent) {
    setGeometry(bounds);
    setFrameShape(QFrame::NoFrame);
    applyStyle(*this, style);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
    setPlainText(lines.join(QLatin1Char('\n')));
}

TButton::TButton(QWidget* parent, QRect bounds, const QString& caption, const QFont& font)
    : QPushButton(caption, parent) {
    setGeometry(bounds);
    setFont(font);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            dispatch(OnClick);
    });
}

}  // namespace kestrava
