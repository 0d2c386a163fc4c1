#include "keyassign/view/keymappaint.h"

#include "drawing/skincanvas.h"
#include "drawing/skinimages.h"
#include "keyassign/model/keymappanel.h"
#include "keyassign/model/keymaptexts.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {

namespace {

constexpr int kTextHeight = 14;
constexpr SkinColor kDimText = 0xC0C0C0;
constexpr QSize kFallbackSize(325, 275);

QStringView qv(std::u16string_view s) { return QStringView(s.data(), static_cast<qsizetype>(s.size())); }

void drawRow(SkinCanvas& c, const KeyMapBmpRow& row) { c.DrawSkinImage(qv(row.image()), row.left, row.top); }

void drawAdvancePage(SkinCanvas& c, const KeyMapPanel& panel, const KeyMapTexts& texts) {
    c.DrawSkinImage(u"Macro_BK.png", 15, 66);
    for (int r = 0; r < kAdvanceRows; ++r) {
        const int y = advanceRowTop(r);
        c.DrawSkinImage(u"disable.png", 15, y + 4);
        c.DrawSkinText(qs(texts.advanceRows[static_cast<std::size_t>(r)]), 30, y + 1, kWhite, kTextHeight);
        c.DrawSkinImage(u"Advanced.png", 85, y);
        const bool hovered = panel.hoverBrowseCell() == 4 * r + 3;
        c.DrawSkinImage(hovered ? u"view02.png" : u"view.png", 256, y);
    }
    const std::uint8_t marked = panel.markedRow();
    if (marked != kNoRow && marked % 4 == 0 && marked / 4 < kAdvanceRows) {
        for (int r = 0; r < kAdvanceRows; ++r) {
            c.DrawSkinImage(r == marked / 4 ? u"enable.png" : u"Disable.png", 15, advanceRowTop(r) + 4);
        }
    }
    const std::uint8_t item = panel.advancedItem();
    if (item < kAdvanceRows) {
        const int y = advanceRowTop(item);
        // The text stays inside its path box, clear of the browse button.
        const AdvanceCell& box = AdvanceCells[static_cast<std::size_t>(4 * item + 2)];
        QImage part = c.image().copy(85, y, box.right + 1 - 85, kTextHeight + 2);
        {
            SkinCanvas clip(part, c.skin());
            clip.DrawSkinText(qs(panel.pathText()), 0, 1, kWhite, kTextHeight);
        }
        c.DrawImagePart(part, part.rect(), 85, y);
        c.DrawSkinImage(u"enable.png", 15, y + 4);
    }
}

void drawPageContent(SkinCanvas& c, const KeyMapPanel& panel, const KeyMapTexts& texts) {
    const KeyMapBmpTable& rows = panel.regions();
    drawRow(c, rows[kKeyMapStrip]);
    static constexpr int kCursorX[] = {35, 115, 200, 280};
    static constexpr int kCaptionX[] = {6, 115, 182, 259};
    const int page = panel.page();
    c.DrawSkinImage(u"cursor.png", kCursorX[page & 3], 30);
    for (int t = 0; t < 4; ++t) {
        c.DrawSkinText(qs(texts.tabs[static_cast<std::size_t>(t)]), kCaptionX[t], 39, t == page ? kWhite : kDimText,
                       kTextHeight);
    }
    if (page == kPageSingle) {
        c.DrawSkinText(qs(texts.single), 20, 69, kDimText, kTextHeight);
        c.DrawSkinText(qs(texts.combine), 20, 119, kDimText, kTextHeight);
    } else if (page == kPageAdvance) {
        drawAdvancePage(c, panel, texts);
    }
}

}  // namespace

void paintKeyMapPanel(QImage& canvas, SkinImages& skin, const KeyMapPanel& panel) {
    const QImage background = skin.image(u"Custom_BK.png");
    canvas = background.isNull() ? QImage(kFallbackSize, QImage::Format_RGB32) : background.copy();
    if (background.isNull()) canvas.fill(Qt::black);
    const KeyMapTexts& texts = keyMapTexts(panel.languageCode());
    const KeyMapBmpTable& rows = panel.regions();
    SkinCanvas c(canvas, skin);
    c.DrawSkinText(qs(texts.currentKey) + qs(panel.currentKeyLabel()), 2, 2, kWhite, kTextHeight);
    for (std::uint8_t r = kKeyMapClose; r <= kKeyMapTabAdvance; ++r) drawRow(c, rows[r]);
    drawPageContent(c, panel, texts);
    const KeyMapBmpRow& disable = rows[kKeyMapDisable];
    drawRow(c, disable);
    c.DrawSkinText(qs(texts.disable), disable.left + 15, disable.top - 2, kWhite, kTextHeight);
    for (std::uint8_t r = kKeyMapDefault; r <= kKeyMapSave; ++r) drawRow(c, rows[r]);
    c.DrawSkinText(qs(texts.defaultButton), 158, 248, kWhite, kTextHeight);
    c.DrawSkinText(qs(texts.cancel), 218, 248, kWhite, kTextHeight);
    c.DrawSkinText(qs(texts.save), 272, 248, kWhite, kTextHeight);
}

}  // namespace orvane
