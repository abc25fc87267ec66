#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frame/settings.h"
#include "io/export_dialog.h"
#include "support/memory_host.h"
#include "support/scripted_ui.h"

namespace {

class ExportDialog : public testing::Test {
protected:
    void SetUp() override { ResetSettingsState(); }

    MemoryBatchHost host;
    ScriptedUi ui;
    frmExport form;
};

TEST_F(ExportDialog, LoadsWithItsDefaults) {
    EXPECT_EQ(form.windowTitle(), "ASCII Export");
    EXPECT_TRUE(form.optDataFormat[0]->isChecked());
    EXPECT_TRUE(form.optDerivative[0]->isChecked());
    EXPECT_FALSE(form.chkAbsolute->isEnabled() || form.chkAbsolute->isChecked());
    EXPECT_FALSE(form.chkPC->isEnabled() || form.chkPC->isChecked());
    EXPECT_TRUE(form.Option1[0]->isChecked());
    EXPECT_TRUE(form.Check2->isChecked());
    EXPECT_TRUE(form.Option2[0]->isChecked() && form.Option2[1]->isEnabled());
    EXPECT_TRUE(form.Check5->isChecked());
    EXPECT_TRUE(form.Option3[0]->isChecked() && form.Option3[1]->isEnabled());
    EXPECT_FALSE(form.Check3->isChecked() || form.Check4->isChecked());
    EXPECT_FALSE(form.Check1[1]->isChecked() || form.Check1[2]->isChecked());
    EXPECT_TRUE(form.Check1[2]->isEnabled());
    EXPECT_EQ(form.DataFormat, 0);
    EXPECT_EQ(form.Derivative, 0);

    // Exactly three separators, Tab chosen, nothing else can be typed.
    ASSERT_EQ(form.Combo1->count(), 3);
    EXPECT_FALSE(form.Combo1->isEditable());
    EXPECT_EQ(form.Combo1->currentText(), "Tab");
    EXPECT_EQ(form.Combo1->itemData(0).toInt(), 44);
    EXPECT_EQ(form.Combo1->itemData(1).toInt(), 59);
    EXPECT_EQ(form.Combo1->itemData(2).toInt(), 9);
    EXPECT_EQ(form.Layout().Separator, '\t');
    form.Combo1->setCurrentIndex(1);
    EXPECT_EQ(form.Layout().Separator, ';');
}

TEST_F(ExportDialog, FormatChoosesWhichCorrectionBoxCounts) {
    form.optDataFormat[1]->setChecked(true);
    EXPECT_TRUE(form.chkAbsolute->isEnabled());
    EXPECT_FALSE(form.chkPC->isEnabled());
    form.chkAbsolute->setChecked(true);
    form.optDataFormat[5]->setChecked(true);
    EXPECT_TRUE(form.chkPC->isEnabled());
    EXPECT_FALSE(form.chkAbsolute->isEnabled());
    form.optDataFormat[2]->setChecked(true);
    EXPECT_EQ(form.DataFormat, 2);
    EXPECT_FALSE(form.chkAbsolute->isEnabled() || form.chkPC->isEnabled());
    EXPECT_TRUE(form.chkAbsolute->isChecked()) << "disabled, but its value stays";
    form.optDerivative[2]->setChecked(true);
    EXPECT_EQ(form.Derivative, 2);
}

TEST_F(ExportDialog, AxisAndTitleBoxesCarryTheirOptions) {
    form.Option2[1]->setChecked(true);
    form.Check2->setChecked(false);
    EXPECT_FALSE(form.Option2[0]->isEnabled() || form.Option2[1]->isEnabled());
    EXPECT_TRUE(form.Option2[1]->isChecked()) << "the choice is kept while disabled";
    EXPECT_FALSE(form.Layout().PrintX);
    form.Check2->setChecked(true);
    EXPECT_TRUE(form.Option2[0]->isChecked() && form.Option2[1]->isEnabled());

    form.Option3[1]->setChecked(true);
    form.Check5->setChecked(false);
    EXPECT_FALSE(form.Option3[0]->isEnabled() || form.Option3[1]->isEnabled());
    EXPECT_EQ(form.Layout().Title, AsciiTitle::None);
    EXPECT_FALSE(form.Layout().PrintTitle);
    form.Check5->setChecked(true);
    EXPECT_TRUE(form.Option3[0]->isChecked());
    EXPECT_EQ(form.Layout().Title, AsciiTitle::FileName);
}

TEST_F(ExportDialog, RowsRecaptionTheTitleGroup) {
    form.Option1[1]->setChecked(true);
    EXPECT_EQ(form.Frame5->title(), "Row Title");
    EXPECT_EQ(form.Check5->text(), "Print Row Title");
    EXPECT_EQ(form.Option3[0]->text(), "Print FileName(s) at Left of Row");
    EXPECT_EQ(form.Option3[1]->text(), "Print Collect Time(s) at Left of Row");
    form.Option1[0]->setChecked(true);
    EXPECT_EQ(form.Frame5->title(), "Column Title");
    EXPECT_EQ(form.Check5->text(), "Print Column Title");
    EXPECT_EQ(form.Option3[0]->text(), "Print FileName(s) at Top of Column");
    EXPECT_EQ(form.Option3[1]->text(), "Print Collect Time(s) at Top of Column");
}

TEST_F(ExportDialog, HeaderBoxesAndTheSingleFile) {
    form.Check1[2]->setChecked(true);
    form.Check3->setChecked(true);
    EXPECT_FALSE(form.Check1[2]->isChecked() || form.Check1[2]->isEnabled());

    // Header-only clears the header box, which frees the single file again.
    form.Check4->setChecked(true);
    EXPECT_FALSE(form.Check3->isChecked() || form.Check3->isEnabled());
    EXPECT_TRUE(form.Check1[2]->isEnabled());
    EXPECT_FALSE(form.Option1[0]->isEnabled() || form.Option1[1]->isEnabled());
    EXPECT_FALSE(form.Check2->isChecked() || form.Check2->isEnabled());
    EXPECT_FALSE(form.Option2[0]->isEnabled());
    EXPECT_FALSE(form.Check5->isChecked() || form.Check5->isEnabled());
    EXPECT_FALSE(form.Option3[0]->isChecked() || form.Option3[1]->isChecked());
    EXPECT_FALSE(form.Option3[0]->isEnabled());
    form.Check1[2]->setChecked(true);
    const AsciiLayout headerOnly = form.Layout();
    EXPECT_TRUE(headerOnly.HeaderOnly);
    EXPECT_EQ(headerOnly.Organization, AsciiOrganization::None);
    EXPECT_FALSE(headerOnly.PrintX || headerOnly.PrintTitle || headerOnly.PrintHeader);

    // Back: the boxes are usable, not checked again.
    form.Check4->setChecked(false);
    EXPECT_TRUE(form.Option1[0]->isEnabled() && form.Check2->isEnabled());
    EXPECT_TRUE(form.Check3->isEnabled() && form.Check5->isEnabled());
    EXPECT_FALSE(form.Check2->isChecked() || form.Check5->isChecked());
    EXPECT_FALSE(form.Option2[0]->isEnabled() || form.Option3[0]->isEnabled());
    EXPECT_EQ(form.Layout().Organization, AsciiOrganization::Columns);
}

TEST_F(ExportDialog, RowsWarningNoKeepsTheDialog) {
    form.show();
    form.Option1[1]->setChecked(true);
    ui.Answer(vbNo);
    form.cmdExport->click();
    ASSERT_EQ(ui.Prompts.size(), 1u);
    EXPECT_EQ(ui.Prompts[0].text,
              "Data output in ROW organization is non-standatd\r"
              "and may not import well into programs like EXCEL.\r"
              "This format (without header,axis and title info) is acceptable for MatLab.\r\r"
              "Do you want to Continue?");
    EXPECT_EQ(ui.Prompts[0].buttons, 324);
    EXPECT_EQ(ui.Prompts[0].title, "Lumivex");
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(host.MousePointers.empty());

    // Header-only disables the organisation, and with it the warning.
    form.Check4->setChecked(true);
    form.cmdExport->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{ui.Prompts[0].text, "No Files Processed"}));
    EXPECT_EQ(host.MousePointers, (std::vector<int>{vbHourglass, vbDefault}));
}

TEST_F(ExportDialog, CloseBoxIsCancel) {
    form.show();
    form.reject();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(ui.Prompts.empty());
}

}  // namespace
