#include "ops/analysis/derivative_gap.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "frame/settings.h"
#include "support/scripted_ui.h"
#include "support/test_folder.h"

namespace {

class DerivativeGapDialog : public testing::Test {
protected:
    void SetUp() override {
        ResetSettingsState();
        SettingsFolder = TestFolder::Path().string() + "/";
        LoadSettings();  // makes "lvx.ini", as the program's start does
        SaveSettings();
    }

    // The gap the settings file holds now.
    int16_t SavedGap() {
        DerivativeGap = 0;
        LoadSettings();
        return DerivativeGap;
    }

    // Runs SelectDerivativeGap with the dialog driven by act, and returns what
    // the dialog showed when it opened.
    std::string Select(std::function<void(frmDerivative&)> act) {
        std::string shown;
        ui.Drive([&](QDialog& dialog) {
            auto& form = dynamic_cast<frmDerivative&>(dialog);
            shown = form.Combo1->currentText().toStdString();
            act(form);
            return form.result();
        });
        SelectDerivativeGap();
        return shown;
    }

    ScriptedUi ui;
};

TEST_F(DerivativeGapDialog, OffersTheOddGapsFromThreeToSixtyFive) {
    frmDerivative form;
    EXPECT_EQ(form.windowTitle(), "Derivative Gap");
    EXPECT_EQ(form.Command1[0]->text(), "&OK");
    EXPECT_EQ(form.Command1[1]->text(), "&Close");
    ASSERT_EQ(form.Combo1->count(), 32);
    for (int index = 0; index < 32; ++index) {
        const int gap = 3 + 2 * index;
        EXPECT_EQ(form.Combo1->itemText(index), QString::number(gap));
        EXPECT_EQ(form.Combo1->itemData(index).toInt(), gap);
    }
}

TEST_F(DerivativeGapDialog, OkTakesThePickAndTheSettingsFileKeepsIt) {
    DerivativeGap = 9;
    EXPECT_EQ(Select([](frmDerivative& form) { form.Command1[0]->click(); }), "9");
    EXPECT_EQ(DerivativeGap, 9);
    EXPECT_EQ(SavedGap(), 9);

    EXPECT_EQ(Select([](frmDerivative& form) {
                  form.Combo1->setCurrentIndex(form.Combo1->findText("33"));
                  form.Command1[0]->click();
              }),
              "9");
    EXPECT_EQ(DerivativeGap, 33);
    EXPECT_EQ(SavedGap(), 33);
}

TEST_F(DerivativeGapDialog, AGapTheListDoesNotHoldOpensOnSevenAndCloseGivesFive) {
    for (int16_t stored : {int16_t{4}, int16_t{67}, int16_t{1}, int16_t{-5}}) {
        DerivativeGap = stored;
        EXPECT_EQ(Select([](frmDerivative& form) {
                      EXPECT_EQ(DerivativeGap, 7);
                      form.Command1[1]->click();
                  }),
                  "7")
            << stored;
        EXPECT_EQ(DerivativeGap, 5);
    }
    EXPECT_EQ(SavedGap(), 5);

    DerivativeGap = 63;
    Select([](frmDerivative& form) { form.Command1[1]->click(); });
    EXPECT_EQ(DerivativeGap, 5);
}

TEST_F(DerivativeGapDialog, TheCloseBoxActsAsOkOnTheEntryItOpenedOn) {
    DerivativeGap = 11;
    Select([](frmDerivative& form) {
        form.Combo1->setCurrentIndex(form.Combo1->findText("21"));
        form.show();
        form.close();
    });
    EXPECT_EQ(DerivativeGap, 11);

    DerivativeGap = 8;
    Select([](frmDerivative& form) {
        form.Combo1->setCurrentIndex(0);
        form.show();
        form.close();
    });
    EXPECT_EQ(DerivativeGap, 7);
    EXPECT_EQ(SavedGap(), 7);
}

TEST_F(DerivativeGapDialog, TypingChangesNothingAndEnterAcceptsTheEntryShown) {
    DerivativeGap = 13;
    Select([](frmDerivative& form) {
        form.show();
        QTest::keyClicks(form.Combo1, "5");
        QTest::keyClick(form.Combo1, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.Combo1->currentText(), "13");
        QTest::keyClick(form.Combo1, Qt::Key_Down);
        EXPECT_EQ(form.Combo1->currentText(), "15");
        QTest::keyClick(form.Combo1, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(DerivativeGap, 15);
}

}  // namespace
