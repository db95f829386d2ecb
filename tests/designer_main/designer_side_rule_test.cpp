// The barcode designer's request to edit the object it bound goes to the
// canvas of the current side by the one side rule: a stored side of 0 is the
// front, every other value the back.

#include "../mainwindow/mainwindow_controller_fixture.h"

#include "editor/model/SKTBarcode.h"
#include "widgets/MainWindowServices.h"

namespace {

// The controller, noting each side whose canvas it is asked for.
class SideNotingController : public SKTWindowController {
public:
    using SKTWindowController::SKTWindowController;
    SKTGraphicView* graphicViewOfSide(int side) const override {
        asked.append(side);
        return SKTWindowController::graphicViewOfSide(side);
    }
    mutable QList<int> asked;
};

class DesignerSideRuleTest : public ControllerFixture {};

TEST_F(DesignerSideRuleTest, ZeroIsTheFrontEveryOtherValueTheBack) {
    m_document = std::make_unique<SKTDocument>();
    auto controller = std::make_unique<SideNotingController>(*m_document);
    SideNotingController& noting = *controller;
    m_controller = std::move(controller);
    ASSERT_EQ(MainWindowServices::current(), m_controller.get());
    const auto barcode = std::make_shared<SKTBarcode>();
    const struct {
        int stored;
        int side;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {-1, 1}, {7, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Card_Front_Or_Back = c.stored;
        EXPECT_EQ(Current_Card_Side(), c.side);
        noting.asked.clear();
        MainWindowServices::current()->startEditingGraphic(barcode);
        EXPECT_EQ(noting.asked, QList<int>{c.side});
    }
    Card_Front_Or_Back = 0;
}

} // namespace
