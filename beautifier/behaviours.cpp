#include "behaviours.h"
#include <iterator>
#include "draw/paint.h"
#include "interact/combo.h"
#include "interact/glyph_toggles.h"
#include "interact/header_tracking.h"
#include "interact/push_button.h"

namespace {

// Combo boxes and drive lists differ only in what their paint does.
constexpr KindBehaviour ComboReactions(MessageHandler paint)
{
    return {.paint = paint,
            .nonClientPaint = FlattenClientEdge,
            .mouseMove = ComboMouseMove,
            .mouseLeave = ComboMouseLeave,
            .press = ComboPress,
            .release = ComboRelease,
            .positionChanging = ComboPositionChanging};
}

// Check boxes and option buttons; an option button's dot follows the focus.
constexpr KindBehaviour GlyphReactions(MessageHandler paint, Reaction focusChange)
{
    return {.paint = paint,
            .nonClientPaint = FlattenClientEdge,
            .mouseMove = GlyphMouseMove,
            .mouseLeave = GlyphMouseLeave,
            .press = GlyphPress,
            .release = GlyphRelease,
            .spaceDown = GlyphPress,
            .spaceUp = GlyphRelease,
            .focusChange = focusChange};
}

// In the order of ControlKind. Every kind but the progress bar, which is
// painted whole, and the data-bound list, whose frame is its own, gets the
// flat client edge once the system has painted its frame.
const KindBehaviour kBehaviours[] = {
    // Container
    {.nonClientPaint = FlattenClientEdge},
    // PushButton
    {.paint = PaintPushButtonWhole,
     .nonClientPaint = FlattenClientEdge,
     .dialogCode = AnswerDialogCode,
     .setStyle = KeepOwnerDraw,
     .mouseMove = PushButtonMouseMove,
     .mouseLeave = PushButtonMouseLeave,
     .press = PushButtonPress,
     .release = PushButtonRelease,
     .doubleClick = PushButtonPress,
     .spaceDown = PushButtonPress,
     .spaceUp = PushButtonSpaceUp,
     .focusChange = PushButtonFocusChange,
     .enable = PushButtonEnable,
     .resize = PushButtonResize,
     .timerTick = PushButtonFadeStep},
    ComboReactions(PaintComboBoxByStyle),                // ComboBox
    ComboReactions(DecorateComboBox),                    // DriveList
    GlyphReactions(DecorateCheckBox, nullptr),           // CheckBox
    GlyphReactions(DecorateOptionButton, GlyphRefresh),  // OptionButton
    // ProgressBar
    {.paint = PaintProgressBarWhole, .nonClientPaint = PaintProgressFrame},
    // Header
    {.paint = PaintHeaderWhole,
     .nonClientPaint = FlattenClientEdge,
     .mouseMove = HeaderMouseMove,
     .mouseLeave = HeaderMouseLeave,
     .press = HeaderPress,
     .release = HeaderRelease,
     .doubleClick = HeaderPress},
    // DataList
    {.paint = DecorateList},
    // ComboList
    {.paint = DecorateList, .nonClientPaint = FlattenClientEdge},
    // Grid
    {.paint = DecorateGrid, .nonClientPaint = FlattenClientEdge},
    // Other
    {.nonClientPaint = FlattenClientEdge},
};
static_assert(std::size(kBehaviours) == kKindCount, "one row for every kind");

}  // namespace

const KindBehaviour& BehaviourOf(ControlKind kind)
{
    return kBehaviours[static_cast<int>(kind)];
}
