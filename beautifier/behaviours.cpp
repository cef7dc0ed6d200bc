#include "behaviours.h"
#include <iterator>
#include "attach.h"
#include "draw/paint.h"
#include "interact/combo.h"
#include "interact/glyph_toggles.h"
#include "interact/header_tracking.h"
#include "interact/push_button.h"

namespace {

// Combo boxes and drive lists differ only in what their paint does.
constexpr KindBehaviour ComboBehaviour(MessageHandler paint)
{
    return {.prepare = PrepareToggle,
            .unprepare = UnprepareComboBox,
            .paint = paint,
            .nonClientPaint = FlattenClientEdge,
            .mouseMove = ComboMouseMove,
            .mouseLeave = ComboMouseLeave,
            .press = ComboPress,
            .release = ComboRelease,
            .positionChanging = ComboPositionChanging};
}

// Check boxes and option buttons; an option button's dot follows the focus.
constexpr KindBehaviour GlyphBehaviour(MessageHandler paint, Reaction focusChange)
{
    return {.prepare = PrepareToggle,
            .unprepare = UnprepareToggle,
            .paint = paint,
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
    {.prepare = AttachChildren, .unprepare = DetachChildren, .nonClientPaint = FlattenClientEdge},
    // PushButton
    {.prepare = PreparePushButton,
     .unprepare = UnpreparePushButton,
     .paint = PaintPushButtonWhole,
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
    ComboBehaviour(PaintComboBoxByStyle),                // ComboBox
    ComboBehaviour(DecorateComboBox),                    // DriveList
    GlyphBehaviour(DecorateCheckBox, nullptr),           // CheckBox
    GlyphBehaviour(DecorateOptionButton, GlyphRefresh),  // OptionButton
    // ProgressBar
    {.paint = PaintProgressBarWhole, .nonClientPaint = PaintProgressFrame},
    // Header
    {.prepare = PrepareHeader,
     .unprepare = UnprepareHeader,
     .paint = PaintHeaderWhole,
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
