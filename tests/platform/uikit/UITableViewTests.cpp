#include <UIKit/UISwitch.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>

namespace {

rt::Ref<UITableViewCell> cellWithStyle(UITableViewCellStyle style) {
    rt::Ref<UITableViewCell> cell = rt::make<UITableViewCell>();
    cell->initWithStyle(style, "cell");
    return cell;
}

TEST(UITableView, InsetGroupedSectionsStackAsCardsWithRoundedEnds) {
    auto window = rt::make<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 390, 844));
    auto table = rt::make<UITableView>();
    table->initWithFrame(CGRectMake(0, 0, 390, 844), UITableViewStyleInsetGrouped);
    window->addSubview(table);
    std::vector<rt::Ref<UITableViewCell>> first{cellWithStyle(UITableViewCellStyleDefault)};
    std::vector<rt::Ref<UITableViewCell>> second{cellWithStyle(UITableViewCellStyleDefault),
                                                 cellWithStyle(UITableViewCellStyleDefault),
                                                 cellWithStyle(UITableViewCellStyleDefault)};
    table->setSections({{"", "A footer", first}, {"Messages", "", second}});
    window->layoutIfNeeded();

    // No title: the section spacing above the card.
    EXPECT_EQ(first[0]->frame(), CGRectMake(20, UITableView::kSectionSpacing, 350, 44));
    EXPECT_EQ(first[0]->layer()->cornerRadius(), 10);
    EXPECT_TRUE(first[0]->layer()->masksToBounds());
    for (std::size_t i = 0; i < second.size(); ++i) {
        EXPECT_EQ(second[i]->frame().origin.x, 20);
        EXPECT_EQ(second[i]->frame().size, CGSizeMake(350, 44));
        if (i > 0) {
            EXPECT_EQ(second[i]->frame().origin.y, second[i - 1]->frame().origin.y + 44);
        }
        const bool end = i == 0 || i + 1 == second.size();
        EXPECT_EQ(second[i]->layer()->cornerRadius(), end ? 10 : 0);
        EXPECT_EQ(second[i]->layer()->masksToBounds(), end ? YES : NO);
    }
    // Footer and title are labels in order between the cards, the title in capitals.
    const auto& views = table->subviews();
    ASSERT_EQ(views.size(), 6u);
    auto footer = rt::dynamicCast<UILabel>(views[1]);
    auto title = rt::dynamicCast<UILabel>(views[2]);
    ASSERT_TRUE(footer && title);
    EXPECT_EQ(footer->text(), "A footer");
    EXPECT_EQ(title->text(), "MESSAGES");
    EXPECT_EQ(title->frame().origin.x, 36);
    EXPECT_GT(title->frame().origin.y, footer->frame().origin.y + footer->frame().size.height);
    EXPECT_LT(title->frame().origin.y + title->frame().size.height, second[0]->frame().origin.y);
    EXPECT_EQ(table->contentHeight(), second.back()->frame().origin.y + 44);
    EXPECT_TRUE(first[0]->backgroundColor()->isEqual(UIColor::secondarySystemGroupedBackgroundColor()));

    // New sections replace the old titles and footers.
    table->setSections({{"", "", first}});
    EXPECT_EQ(table->subviews().size(), 4u); // the cells of before stay where they were added
}

TEST(UITableView, CellsPlaceTitleValueAndAccessoryAcrossTheRow) {
    auto cell = cellWithStyle(UITableViewCellStyleValue1);
    cell->setFrame(CGRectMake(0, 0, 350, 44));
    cell->textLabel()->setText("Blur");
    cell->detailTextLabel()->setText("On");
    cell->layoutIfNeeded();
    const CGSize title = cell->textLabel()->intrinsicContentSize();
    const CGSize value = cell->detailTextLabel()->intrinsicContentSize();
    EXPECT_EQ(cell->contentView()->frame(), CGRectMake(0, 0, 350, 44));
    EXPECT_EQ(cell->textLabel()->frame(), CGRectMake(16, (44 - title.height) / 2, title.width, title.height));
    EXPECT_EQ(cell->detailTextLabel()->frame(),
              CGRectMake(350 - 16 - value.width, (44 - value.height) / 2, value.width, value.height));

    // An accessory takes the trailing edge; the content view ends before it.
    auto control = rt::make<UISwitch>();
    cell->setAccessoryView(control);
    cell->layoutIfNeeded();
    EXPECT_EQ(control->frame(), CGRectMake(350 - 16 - 51, 6.5, 51, 31));
    EXPECT_EQ(cell->contentView()->frame(), CGRectMake(0, 0, 350 - 16 - 51 - 8, 44));
    EXPECT_EQ(cell->detailTextLabel()->frame().origin.x + value.width, 350 - 16 - 51 - 8 - 16);
}

} // namespace
