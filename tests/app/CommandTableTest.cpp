#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "app/CommandBindings.h"
#include "app/CommandTable.h"
#include "link/HeadSettings.h"

using namespace hx;

namespace {

void collect(const std::vector<MenuItem>& items, std::vector<CommandId>& out) {
    for (const auto& it : items) {
        if (it.kind == MenuItem::Kind::Command) out.push_back(it.id);
        if (it.kind == MenuItem::Kind::Submenu) collect(it.children, out);
    }
}

}  // namespace

TEST(CommandTable, EveryCommandHasOneEntryWithTextAndPrompt) {
    std::set<int> seen;
    for (const CommandInfo& c : allCommands()) {
        EXPECT_TRUE(seen.insert(static_cast<int>(c.id)).second) << "duplicate id " << static_cast<int>(c.id);
        EXPECT_STRNE(c.text, "");
        EXPECT_STRNE(c.prompt, "");
    }
    std::vector<CommandId> inMenus;
    for (const MenuSpec& m : menuBarLayout()) collect(m.items, inMenus);
    for (CommandId id : inMenus) EXPECT_NE(findCommand(id), nullptr) << static_cast<int>(id);
    for (const Accelerator& a : acceleratorTable()) EXPECT_NE(findCommand(a.id), nullptr) << a.keys;
    for (const ToolbarSlot& t : toolbarLayout()) {
        if (!t.separator) {
            EXPECT_NE(findCommand(t.id), nullptr);
        }
    }
}

TEST(CommandTable, FixedTextsAndIds) {
    EXPECT_STREQ(findCommand(CommandId::Connect)->text, "&Connect to Sonar Head...\tCtrl+N");
    EXPECT_STREQ(findCommand(CommandId::Record)->text, "Record Data...\tCtrl+S");
    EXPECT_STREQ(findCommand(CommandId::RangeIncrease)->prompt, "Increase the Operating Range");
    EXPECT_STREQ(findCommand(CommandId::GainDecrease)->prompt, "Decrease the Gain to Boost Signal Strength");
    EXPECT_EQ(static_cast<int>(CommandId::ColorYellowBrown), 32900);
    EXPECT_EQ(static_cast<int>(CommandId::About), 57664);
    ASSERT_EQ(colorTableCommands().size(), 10u);
    EXPECT_STREQ(findCommand(colorTableCommands()[0])->text, "Normal  &High");

    const auto& menus = menuBarLayout();
    const char* titles[] = {"&File", "&View", "&Color Table", "Co&mmunication", "&Measure", "&GPS Options",
                            "&Events", "&Sonar", "&Options", "&Window", "&Help"};
    ASSERT_EQ(menus.size(), std::size(titles));
    for (std::size_t i = 0; i < menus.size(); ++i) EXPECT_STREQ(menus[i].title, titles[i]);
}

TEST(CommandTable, ToolbarOrderAndSeparators) {
    std::vector<int> ids;
    for (const ToolbarSlot& t : toolbarLayout()) ids.push_back(t.separator ? 0 : static_cast<int>(t.id));
    const std::vector<int> expected = {32858, 57601, 57604, 32807, 0,     32791, 32793, 32795, 0,
                                       32797, 32772, 32778, 32815, 32814, 32805, 32839, 32810, 32804,
                                       32811, 32816, 0,     41049, 0,     57664};
    EXPECT_EQ(ids, expected);
}

TEST(CommandBindings, EachSubsystemCommandHasOneIdAndTheRangeEntriesMatchTheirTexts) {
    std::set<int> bound;
    for (const LinkBinding& b : linkBindings()) {
        EXPECT_TRUE(bound.insert(static_cast<int>(b.id)).second) << static_cast<int>(b.id);
        ASSERT_NE(findCommand(b.id), nullptr) << static_cast<int>(b.id);
        if (b.command.action != LinkAction::SelectRange) continue;
        // "10 m" .. "200 m": the entry's text is the range it selects.
        const int shownM = std::atoi(findCommand(b.id)->text);
        ASSERT_GE(b.command.arg, 0);
        ASSERT_LT(b.command.arg, static_cast<int>(kRangeTableM.size()));
        EXPECT_EQ(kRangeTableM[static_cast<std::size_t>(b.command.arg)], shownM) << findCommand(b.id)->text;
    }
    for (const ViewBinding& b : viewBindings()) {
        EXPECT_TRUE(bound.insert(static_cast<int>(b.id)).second) << static_cast<int>(b.id);
        EXPECT_NE(findCommand(b.id), nullptr) << static_cast<int>(b.id);
    }
    EXPECT_EQ(linkCommandFor(CommandId::NotAvailableES)->arg, kHeadES);
    EXPECT_FALSE(linkCommandFor(CommandId::Connect).has_value());
    EXPECT_EQ(viewCommandFor(CommandId::ViewKeyZoomCycle), ViewCommand::ZoomCycle);
}
