#include "profiles/view/configurepaint.h"

#include "profiles/model/configurelayout.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {
void PaintConfigurePanel(const PaintContext& ctx, const ProfileTexts& texts) {
    SkinCanvas& canvas = ctx.canvas;
    canvas.DrawSkinImage(u"Config/Config.png", 0, 0);
    // Dark on the light title strip; the button labels are white on their buttons.
    canvas.DrawSkinText(qs(texts.title), kConfigureTitle.x, kConfigureTitle.y, kConfigureTitleColour,
                        kConfigureTitleHeight);
    canvas.DrawSkinImage(u"Config/button-close-normal.png", kConfigureCloseButton.x, kConfigureCloseButton.y);
    canvas.DrawSkinImage(u"Config/New.png", kConfigureNewButton.x, kConfigureNewButton.y);
    canvas.DrawSkinText(qs(texts.newLabel), kConfigureNewLabel.x, kConfigureNewLabel.y, kWhite,
                        kConfigureLabelHeight);
    canvas.DrawSkinImage(u"Config/Delete.png", kConfigureDeleteButton.x, kConfigureDeleteButton.y);
    canvas.DrawSkinText(qs(texts.deleteLabel), kConfigureDeleteLabel.x, kConfigureDeleteLabel.y, kWhite,
                        kConfigureLabelHeight);
}

}  // namespace orvane
