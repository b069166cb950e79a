// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Scene.h"

#include "framework/Errors.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace kestrava {

TItem::TItem(TScene& scene, QRect bounds) : scene_(scene), bounds_(bounds) {
    scene_.items_.push_back(this);
    scene_.invalidate(bounds_);
}

TItem::~TItem() {
    auto& items = scene_.items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
    if (scene_.pressedItem_ == this) {
        // The press started on this item: its release clicks nothing.
        scene_.pressedItem_ = nullptr;
        scene_.pressed_ = false;
    }
}

void TItem::setBounds(const QRect& bounds) {
    if (bounds == bounds_)
        return;
    if (visible_)
        scene_.invalidate(paintedRect());
    bounds_ = bounds;
    if (visible_)
        scene_.invalidate(paintedRect());
}

void TItem::repaint() {
    if (visible_)
        scene_.invalidate(paintedRect());
}

void TItem::setLeft(int left) { setBounds(bounds_.translated(left - bounds_.left(), 0)); }

void TItem::setTop(int top) { setBounds(bounds_.translated(0, top - bounds_.top())); }

void TItem::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    scene_.invalidate(paintedRect());
}

namespace {
QImage blackAsTransparent(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0x00FFFFFF) == 0)
                row[x] = 0;
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
}  // namespace

TImage::TImage(TScene& scene, QRect bounds, const QImage& picture, bool transparent,
               bool stretch)
    : TItem(scene, bounds),
      picture_(transparent ? blackAsTransparent(picture)
                           : picture.convertToFormat(QImage::Format_RGB32)),
      stretch_(stretch) {}

void TImage::paint(QPainter& painter) const {
    if (stretch_)
        painter.drawImage(BoundsRect(), picture_);
    else
        painter.drawImage(BoundsRect().topLeft(), picture_,
                          QRect(QPoint(0, 0), BoundsRect().size()));
}

TShape::TShape(TScene& scene, QRect bounds, QColor fill, QColor outline, Kind kind)
    : TItem(scene, bounds), fill_(fill), outline_(outline), kind_(kind) {}

void TShape::paint(QPainter& painter) const {
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(fill_);
    // The outline runs along the inside of the item's rectangle.
    const QRect inner = BoundsRect().adjusted(0, 0, -1, -1);
    if (kind_ == Kind::Circle) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(inner);
        painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
        painter.drawRect(inner);
    }
}

TLabel::TLabel(TScene& scene, QPoint topLeft, const QString& caption, const QFont& font,
               QColor colour, int wrapWidth)
    : TItem(scene, QRect(topLeft, QSize(1, 1))),
      caption_(caption),
      font_(font),
      colour_(colour),
      wrapWidth_(wrapWidth) {
    overhang_ = inkOverhang(caption_);
    setBounds(boundsFor(caption_));
    repaint();
}

QRect TLabel::boundsFor(const QString& caption) const {
    const QFontMetrics metrics(font_);
    if (wrapWidth_ > 0) {
        const QRect text = metrics.boundingRect(QRect(0, 0, wrapWidth_, 10000),
                                                Qt::TextWordWrap, caption);
        return QRect(BoundsRect().topLeft(),
                     QSize(wrapWidth_, std::max(text.height(), metrics.height())));
    }
    return QRect(BoundsRect().topLeft(),
                 QSize(std::max(metrics.horizontalAdvance(caption), 1), metrics.height()));
}

// How far the caption's ink reaches outside its layout box: above the ascent
// and below the descent (accents on capitals, seven-segment digits that fill
// the whole cell), and left or right of the advance widths (negative
// bearings). One pixel more on every side takes in the antialiased edge and
// the glyphs' hinting, which moves them by up to a pixel on a scaled screen.
QMargins TLabel::inkOverhang(const QString& caption) const {
    const QFontMetricsF metrics(font_);
    const QRectF ink = metrics.boundingRect(caption);
    qreal below = ink.bottom() - metrics.descent();
    if (font_.underline())
        below = std::max(below, metrics.underlinePos() + metrics.lineWidth() - metrics.descent());
    qreal left = 0;
    qreal right = 0;
    for (const QChar c : caption) {
        left = std::max(left, -metrics.leftBearing(c));
        right = std::max(right, -metrics.rightBearing(c));
    }
    auto whole = [](qreal overhang) {
        return static_cast<int>(std::ceil(std::max<qreal>(overhang, 0))) + 1;
    };
    return QMargins(whole(left), whole(-ink.top() - metrics.ascent()), whole(right), whole(below));
}

QRect TLabel::paintedRect() const { return BoundsRect().marginsAdded(overhang_); }

void TLabel::setCaption(const QString& caption) {
    if (caption == caption_)
        return;
    // The old text's ink is erased even when the new text is no larger.
    repaint();
    caption_ = caption;
    overhang_ = inkOverhang(caption_);
    setBounds(boundsFor(caption_));
    repaint();
}

void TLabel::paint(QPainter& painter) const {
    painter.setFont(font_);
    painter.setPen(colour_);
    const int flags = wrapWidth_ > 0 ? Qt::TextWordWrap : Qt::TextSingleLine;
    painter.drawText(BoundsRect(), flags | Qt::AlignLeft | Qt::AlignTop, caption_);
}

TScene::TScene(QWidget* parent, QSize size, QColor background, Border border)
    : QWidget(parent), background_(background), border_(border) {
    setFixedSize(size);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TItem* TScene::itemAt(QPoint point) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        TItem* item = *it;
        if (item->Visible() && item->Enabled() && item->BoundsRect().contains(point))
            return item;
    }
    return nullptr;
}

void TScene::invalidate(const QRect& area) { update(area.intersected(rect())); }

void TScene::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, background_);
    for (const TItem* item : items_) {
        if (item->Visible() && item->paintedRect().intersects(dirty))
            item->paint(painter);
    }
    paintBorder(painter);
}

void TScene::paintBorder(QPainter& painter) const {
    const QRect edge = rect().adjusted(0, 0, -1, -1);
    switch (border_) {
    case Border::None:
        return;
    case Border::Single:
        painter.setPen(background_.darker(250));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(edge);
        return;
    case Border::Raised:
        painter.setPen(background_.lighter(170));
        painter.drawLine(edge.topLeft(), edge.topRight());
        painter.drawLine(edge.topLeft(), edge.bottomLeft());
        painter.setPen(background_.darker(250));
        painter.drawLine(edge.bottomLeft(), edge.bottomRight());
        painter.drawLine(edge.topRight(), edge.bottomRight());
        return;
    }
}

void TScene::mousePressEvent(QMouseEvent* event) {
    // Accepted whatever the button, so no press ever reaches the widget below.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    pressedItem_ = itemAt(event->position().toPoint());
}

void TScene::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt turns the second press of a double-click into this event; it never
    // clicks, and the release that follows it does not either.
    event->accept();
    pressed_ = false;
    pressedItem_ = nullptr;
}

void TScene::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    TItem* item = pressedItem_;
    pressedItem_ = nullptr;
    const QPoint point = event->position().toPoint();
    if (item) {
        if (item->BoundsRect().contains(point) && item->OnClick)
            dispatch(item->OnClick);
    } else if (rect().contains(point) && OnClick) {
        dispatch(OnClick);
    }
}

void TScene::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    updateCursor(event->position().toPoint());
}

void TScene::updateCursor(QPoint point) {
    const TItem* item = itemAt(point);
    setCursor(item ? item->Cursor : Qt::ArrowCursor);
}

void TScene::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (OnKeyDown) {
        const int code = virtualKeyCode(event->key());
        dispatch([this, code] { OnKeyDown(code); });
    }
    // Enter with Ctrl, Alt or Meta is a shortcut, not the character 13.
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(event->modifiers() &
                         (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (enter && OnKeyPress)
        dispatch([this] { OnKeyPress(KeyEnter); });
}

bool TScene::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const TItem* item = itemAt(help->pos());
        if (item && !item->Hint.isEmpty())
            QToolTip::showText(help->globalPos(), item->Hint, this, item->BoundsRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

int virtualKeyCode(int qtKey) {
    struct Mapping {
        int qt;
        int vk;
    };
    static constexpr Mapping table[] = {
        {Qt::Key_Left, KeyLeft},     {Qt::Key_Up, KeyUp},       {Qt::Key_Right, KeyRight},
        {Qt::Key_Down, KeyDown},     {Qt::Key_Return, KeyEnter}, {Qt::Key_Enter, KeyEnter},
        {Qt::Key_Escape, KeyEscape}, {Qt::Key_Space, KeySpace}, {Qt::Key_Tab, KeyTab},
        {Qt::Key_F1, KeyF1},
    };
    for (const Mapping& m : table) {
        if (m.qt == qtKey)
            return m.vk;
    }
    // Letters and digits share their codes with ASCII upper case.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

}  // namespace kestrava
