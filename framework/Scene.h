// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Scene items and the widget that paints them and routes clicks to them.
//
// A TScene is a window's client area (or a panel's inside). Its items
// (pictures, shapes, labels) are painted in creation order, later over
// earlier; child widgets (panels, list boxes, text boxes, buttons) are drawn
// above every item. Moving, resizing, showing or hiding an item repaints only
// the rectangles it left and entered: what it painted there, which for a
// label may reach beyond its box (see TLabel).
//
// Clicks: a click is the left button pressed and released inside the same
// item; the right and middle buttons and the second press of a double-click
// never click. A press goes to the topmost visible, enabled item under the
// pointer, or to the scene itself where there is none; nothing passes a click
// on to what lies below. The pointer shape and the tooltip likewise come from
// the topmost visible, enabled item. Every click handler runs through
// dispatch().

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace kestrava {

class TScene;

class TItem {
public:
    TItem(TScene& scene, QRect bounds);
    virtual ~TItem();
    TItem(const TItem&) = delete;
    TItem& operator=(const TItem&) = delete;

    int Left() const { return bounds_.left(); }
    int Top() const { return bounds_.top(); }
    int Width() const { return bounds_.width(); }
    int Height() const { return bounds_.height(); }
    QRect BoundsRect() const { return bounds_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }

    void setLeft(int left);
    void setTop(int top);
    void setVisible(bool visible);
    void Show() { setVisible(true); }
    void Hide() { setVisible(false); }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    Qt::CursorShape Cursor = Qt::ArrowCursor;
    QString Hint;
    std::function<void()> OnClick;

    virtual void paint(QPainter& painter) const = 0;
    // Everything paint() may touch; the item's box unless it says otherwise.
    virtual QRect paintedRect() const { return bounds_; }

protected:
    void setBounds(const QRect& bounds);
    void repaint();

private:
    TScene& scene_;
    QRect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
};

// A picture. Transparent pictures leave their black (#000000) pixels out.
// A stretched picture is scaled to the item's size, nearest-neighbour.
class TImage : public TItem {
public:
    TImage(TScene& scene, QRect bounds, const QImage& picture, bool transparent = false,
           bool stretch = false);
    void paint(QPainter& painter) const override;

private:
    QImage picture_;
    bool stretch_;
};

// A filled rectangle or circle with a one-pixel outline.
class TShape : public TItem {
public:
    enum class Kind { Rectangle, Circle };
    TShape(TScene& scene, QRect bounds, QColor fill, QColor outline,
           Kind kind = Kind::Rectangle);
    void paint(QPainter& painter) const override;

private:
    QColor fill_;
    QColor outline_;
    Kind kind_;
};

// Text with a transparent background. Without a wrap width it sizes itself
// to its caption; with one it word-wraps at that width. Its box is the text's
// layout (advance widths, line height), which clicks and positions use; its
// painted rectangle also holds the ink a face puts outside that layout
// (accents above the ascent, overhanging bearings), so a new caption erases
// the old one whole.
class TLabel : public TItem {
public:
    TLabel(TScene& scene, QPoint topLeft, const QString& caption, const QFont& font,
           QColor colour, int wrapWidth = 0);
    const QString& Caption() const { return caption_; }
    const QFont& Font() const { return font_; }
    void setCaption(const QString& caption);
    void paint(QPainter& painter) const override;
    QRect paintedRect() const override;

private:
    QRect boundsFor(const QString& caption) const;
    QMargins inkOverhang(const QString& caption) const;

    QString caption_;
    QMargins overhang_;
    QFont font_;
    QColor colour_;
    int wrapWidth_;
};

class TScene : public QWidget {
public:
    enum class Border { None, Raised, Single };
    TScene(QWidget* parent, QSize size, QColor background, Border border = Border::None);

    std::function<void()> OnClick;
    // Keys while this scene has the focus: the key-down with its virtual key
    // code (KeyUp, KeyDown, ...), then for Enter the character KeyEnter.
    std::function<void(int)> OnKeyDown;
    std::function<void(int)> OnKeyPress;

    // Positions in the parent's client coordinates.
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Height() const { return height(); }
    void setTop(int top) { move(x(), top); }
    // Its own flag, whatever its window's: an end panel can be "visible"
    // inside a window that is not shown yet.
    bool Visible() const { return !isHidden(); }
    void Show() { show(); }
    void Hide() { hide(); }

    // The topmost visible, enabled item at `point`, or nullptr.
    TItem* itemAt(QPoint point) const;
    // Repaints the part of the scene an item covers (or covered).
    void invalidate(const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TItem;
    void paintBorder(QPainter& painter) const;
    void updateCursor(QPoint point);

    QColor background_;
    Border border_;
    std::vector<TItem*> items_;
    bool pressed_ = false;
    TItem* pressedItem_ = nullptr;
};

// The virtual key codes the key handlers receive; Enter's is also the
// character its key press gives.
inline constexpr int KeyTab = 9;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyEscape = 27;
inline constexpr int KeySpace = 32;
inline constexpr int KeyLeft = 37;
inline constexpr int KeyUp = 38;
inline constexpr int KeyRight = 39;
inline constexpr int KeyDown = 40;
inline constexpr int KeyF1 = 112;

// The virtual key code of a Qt key, as the game's key handlers expect it:
// one of the above, a letter's or digit's ASCII code (upper case), else 0.
int virtualKeyCode(int qtKey);

}  // namespace kestrava
