// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Windowed controls: they are real widgets, drawn above every scene item of
// their parent, and take clicks and (where focusable) keys themselves.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <functional>

namespace kestrava {

// Appearance shared by the text controls.
struct TextStyle {
    QFont font;
    QColor text;
    QColor background;
};

// A borderless list box whose items are the lines of a string list.
class TListBox : public QListWidget {
public:
    TListBox(QWidget* parent, QRect bounds, const TextStyle& style, int itemHeight);

    QStringList Items() const;
    void setItems(const QStringList& lines);
    // Line `index`; throws EStringListError "List index out of bounds (<index>)".
    QString line(int index) const;
    // Deletes the first line; nothing happens when the list is empty.
    void deleteFirst();
    void append(const QString& line);

private:
    int itemHeight_;
};

// A borderless multi-line text box the player can type into.
class TMemo : public QPlainTextEdit {
public:
    TMemo(QWidget* parent, QRect bounds, const TextStyle& style, const QStringList& lines);
};

// A push button whose click handler runs through dispatch().
class TButton : public QPushButton {
public:
    TButton(QWidget* parent, QRect bounds, const QString& caption, const QFont& font);
    std::function<void()> OnClick;
};

}  // namespace kestrava
