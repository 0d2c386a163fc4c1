// Drawing helpers shared by the skin generator's pictures: the skin's
// colours as QColor, fonts, bars, rounded fields and small glyphs.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include "drawing/skinpalette.h"

namespace orvane::skin {

QColor rgb(palette::Rgb c);

// An opaque picture filled with one colour.
QImage solid(int width, int height, palette::Rgb fill);

// A font of the given pixel size ("Liberation Sans" / "Arial" family, CJK
// from the system's fallback).
QFont uiFont(int pixelSize, QFont::Weight weight = QFont::Normal, qreal letterSpacing = 0);

// A section header bar: a soft vertical gradient with a dark red underline.
void drawHeaderBar(QPainter& p, const QRect& r);

// A downward (open = false) or upward (open = true) chevron centred at (cx, cy).
void drawChevron(QPainter& p, QPointF centre, bool open, const QColor& colour);

// The flat body of an open section, edged left, right and bottom.
void drawSectionBody(QPainter& p, const QRect& r);

// A rounded field with a 1-pixel edge.
void drawRoundedBox(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill,
                    const QColor& edge);

// Text centred in a rectangle.
void drawCentredText(QPainter& p, const QRect& r, const QString& text, const QFont& font,
                     const QColor& colour);

}  // namespace orvane::skin
