// The key assignment panel's picture: the background, the "Current Key:"
// line, the tabs and the current page, the "Disable" box and the three
// buttons, composed off screen from the panel's skin folder ("Custom/").
#pragma once

#include <QImage>

namespace orvane {

class KeyMapPanel;
class SkinImages;

// Replaces `canvas` with the whole picture, the size of "Custom_BK.png"
// (325 x 275 when the skin has none). The panel is only read.
void paintKeyMapPanel(QImage& canvas, SkinImages& skin, const KeyMapPanel& panel);

}  // namespace orvane
