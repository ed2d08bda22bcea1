#include "app/CommandBindings.h"

#include <algorithm>

namespace hx {

namespace {

using C = CommandId;
using L = LinkCommand;
using T = TransmitEntry;
using O = OrientationChannel;
using V = ViewCommand;

constexpr LinkBinding kLinkBindings[] = {
    {C::RangeIncrease, {LinkAction::RangeUp}, false},
    {C::RangeDecrease, {LinkAction::RangeDown}, false},
    {C::GainIncrease, {LinkAction::GainUp}, false},
    {C::GainDecrease, {LinkAction::GainDown}, false},
    // The menu's ranges are the range table's entries 5 (10 m) to 15 (200 m).
    {C::RangeChoice10, L::rangeChoice(5), true},
    {C::RangeChoice20, L::rangeChoice(6), true},
    {C::RangeChoice30, L::rangeChoice(7), true},
    {C::RangeChoice40, L::rangeChoice(8), true},
    {C::RangeChoice50, L::rangeChoice(9), true},
    {C::RangeChoice60, L::rangeChoice(10), true},
    {C::RangeChoice80, L::rangeChoice(11), true},
    {C::RangeChoice100, L::rangeChoice(12), true},
    {C::RangeChoice120, L::rangeChoice(13), true},
    {C::RangeChoice150, L::rangeChoice(14), true},
    {C::RangeChoice200, L::rangeChoice(15), true},
    {C::XmitPortLow, L::transmit(T::PortLow), true},
    {C::XmitPortMedium, L::transmit(T::PortMedium), true},
    {C::XmitPortHigh, L::transmit(T::PortHigh), true},
    {C::XmitStbdLow, L::transmit(T::StbdLow), true},
    {C::XmitStbdMedium, L::transmit(T::StbdMedium), true},
    {C::XmitStbdHigh, L::transmit(T::StbdHigh), true},
    {C::XmitEchoSounder, L::transmit(T::EchoSounder), true},
    {C::NotAvailableL, L::notAvailable(kHeadL), true},
    {C::NotAvailableM, L::notAvailable(kHeadM), true},
    {C::NotAvailableH, L::notAvailable(kHeadH), true},
    {C::NotAvailableES, L::notAvailable(kHeadES), true},
    {C::RollFilter, L::filter(O::Roll), true},
    {C::PitchFilter, L::filter(O::Pitch), true},
    {C::HeadingFilter, L::filter(O::Heading), true},
    {C::TemperatureFilter, L::filter(O::Temperature), true},
    {C::DepthFilter, L::filter(O::Depth), true},
    {C::AltitudeFilter, L::filter(O::Altitude), true},
};

constexpr ViewBinding kViewBindings[] = {
    {C::ZoomFillScreen, V::FillTheScreen, true},
    {C::Zoom100, V::Zoom100, true},
    {C::Zoom200, V::Zoom200, true},
    {C::ZoomIn, V::ZoomIn, false},
    {C::ZoomOut, V::ZoomOut, false},
    {C::RestoreImage, V::RestoreImage, false},
    {C::ViewKeyZoomCycle, V::ZoomCycle, false},
    {C::Grid, V::Grid, true},
    {C::ShowRange, V::ShowRange, true},
    {C::UnitsMetric, V::Metric, true},
    {C::UnitsImperial, V::Imperial, true},
    {C::ShowMarkShadow, V::ShowMarkShadow, true},
    {C::ViewKeyLeft, V::KeyLeft, false},
    {C::ViewKeyRight, V::KeyRight, false},
    {C::ViewKeyUp, V::KeyUp, false},
    {C::ViewKeyDown, V::KeyDown, false},
};

template <typename Binding>
const Binding* find(std::span<const Binding> table, CommandId id) {
    const auto it = std::ranges::find(table, id, &Binding::id);
    return it == table.end() ? nullptr : &*it;
}

}  // namespace

std::span<const LinkBinding> linkBindings() { return kLinkBindings; }
std::span<const ViewBinding> viewBindings() { return kViewBindings; }

std::optional<LinkCommand> linkCommandFor(CommandId id) {
    const LinkBinding* b = find(linkBindings(), id);
    return b ? std::optional(b->command) : std::nullopt;
}

std::optional<ViewCommand> viewCommandFor(CommandId id) {
    const ViewBinding* b = find(viewBindings(), id);
    return b ? std::optional(b->command) : std::nullopt;
}

}  // namespace hx
