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
constexpr KindBehaviour ComboBehaviour(ControlKind kind, MessageHandler paint)
{
    return {.kind = kind,
            .prepare = PrepareToggle,
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
constexpr KindBehaviour GlyphBehaviour(ControlKind kind, MessageHandler paint, Reaction focusChange)
{
    return {.kind = kind,
            .prepare = PrepareToggle,
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

// Row i is the row of kind i, so that a kind finds its row by index. Every
// kind but the progress bar, which is painted whole, and the data-bound list,
// whose frame is its own, gets the flat client edge once the system has
// painted its frame.
constexpr KindBehaviour kBehaviours[] = {
    {.kind = ControlKind::Container,
     .prepare = AttachChildren,
     .unprepare = DetachChildren,
     .nonClientPaint = FlattenClientEdge},
    {.kind = ControlKind::PushButton,
     .prepare = PreparePushButton,
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
    ComboBehaviour(ControlKind::ComboBox, PaintComboBoxByStyle),
    ComboBehaviour(ControlKind::DriveList, DecorateComboBox),
    GlyphBehaviour(ControlKind::CheckBox, DecorateCheckBox, nullptr),
    GlyphBehaviour(ControlKind::OptionButton, DecorateOptionButton, GlyphRefresh),
    {.kind = ControlKind::ProgressBar,
     .paint = PaintProgressBarWhole,
     .nonClientPaint = PaintProgressFrame},
    {.kind = ControlKind::Header,
     .prepare = PrepareHeader,
     .unprepare = UnprepareHeader,
     .paint = PaintHeaderWhole,
     .nonClientPaint = FlattenClientEdge,
     .mouseMove = HeaderMouseMove,
     .mouseLeave = HeaderMouseLeave,
     .press = HeaderPress,
     .release = HeaderRelease,
     .doubleClick = HeaderPress},
    {.kind = ControlKind::DataList, .paint = DecorateList},
    {.kind = ControlKind::ComboList, .paint = DecorateList, .nonClientPaint = FlattenClientEdge},
    {.kind = ControlKind::Grid, .paint = DecorateGrid, .nonClientPaint = FlattenClientEdge},
    {.kind = ControlKind::Other, .nonClientPaint = FlattenClientEdge},
};

// The first row that is not in the place of its kind; the number of rows when
// every one is.
constexpr size_t FirstRowOutOfPlace()
{
    size_t row = 0;
    while (row < std::size(kBehaviours) && kBehaviours[row].kind == static_cast<ControlKind>(row))
        ++row;
    return row;
}
static_assert(std::size(kBehaviours) == kKindCount, "one row for every kind");
static_assert(FirstRowOutOfPlace() == kKindCount, "every row in the place of its kind");

}  // namespace

const KindBehaviour& BehaviourOf(ControlKind kind)
{
    return kBehaviours[static_cast<int>(kind)];
}
