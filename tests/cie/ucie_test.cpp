#include "cie/ucie.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMetaEnum>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <string>
#include <vector>

#include "cie/colorimetry.h"
#include "cie/screen_text.h"
#include "platform/text/number.h"
#include "platform/ui/ui.h"

namespace {

// Records what the control says to the user.
struct Heard {
    struct Message {
        std::string prompt;
        int buttons;
        std::string title;
    };
    std::vector<Message> Messages;
    int Beeps = 0;

    Heard() {
        QLocale::setDefault(QLocale::c());
        ResetLocaleSeparators();
        InstallCieUserHooks(
            {[this](const std::string& prompt, int buttons, const std::string& title) {
                 Messages.push_back({prompt, buttons, title});
                 return static_cast<int>(vbOK);
             },
             [this] { ++Beeps; }});
    }
    ~Heard() {
        InstallCieUserHooks({});
        QLocale::setDefault(QLocale::c());
        ResetLocaleSeparators();
    }
};

class Cie : public testing::Test {
protected:
    Heard heard;
    UCIE cie;

    template <typename T = QWidget>
    T* Find(const char* name) {
        auto* found = cie.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    QTabWidget* Tabs() { return Find<QTabWidget>("tabCIE"); }

    void CalcPerfectReflector(UCIE::IlluminateFile ill = UCIE::ifD65) {
        cie.CalcColorimetry(QList<double>(471, 1.0), 1, 360, ill);
    }

    static void LeaveBox(QLineEdit* box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box, &out);
    }
    void TypeGamma(const QString& text) {
        Box("txtGamma")->setText(text);
        LeaveBox(Box("txtGamma"));
    }
    float SavedGamma() {
        PropertyBag bag;
        cie.WriteProperties(bag);
        return bag.ReadProperty("Gamma", -1).toFloat();
    }
};

TEST_F(Cie, NewInstanceShowsEveryTabWithItsControlsAndAFixedSize) {
    QTabWidget* tabs = Tabs();
    ASSERT_EQ(tabs->count(), 4);
    const char* captions[] = {"CIE", "Color Functions", "Illuminants", "Chromaticity"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_TRUE(tabs->isTabVisible(i)) << i;
    }
    for (const char* name : {"fraCIE1931",
                             "fraCIE1964",
                             "fraIlluminaceFile",
                             "picColorFunction",
                             "fraColorFunction",
                             "picIlluminants",
                             "fraIlluminant",
                             "Frame1",
                             "fraGraphChromaticitySettings",
                             "fraChromaticityXYZ",
                             "fraGamma",
                             "txtX",
                             "txtY",
                             "txtZ",
                             "txtR",
                             "txtG",
                             "txtB",
                             "lblX2",
                             "lblvprime2",
                             "lblX10",
                             "lblvprime10"}) {
        Find(name);
    }
    EXPECT_TRUE(Find<QRadioButton>("optCIE_0")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("optCIE_1")->text(), "1964 (10°)");
    EXPECT_TRUE(Find<QCheckBox>("chkIlluminate_0")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("chkIlluminate_1")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("optChromaticity_0")->isChecked());
    for (const char* name : {"chkShowPoint", "chkShowWavelengths", "chkShowGrid"}) {
        EXPECT_TRUE(Find<QCheckBox>(name)->isChecked()) << name;
    }
    EXPECT_EQ(Box("txtGamma")->text(), "1.00");
    auto* list = Find<QComboBox>("cboIlluminate");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "A");
    EXPECT_EQ(list->itemData(0).toInt(), 1);
    EXPECT_EQ(list->itemData(1).toInt(), 4);
    EXPECT_EQ(list->currentText(), "D65");
    EXPECT_EQ(cie.SelectedIllFile(), UCIE::ifD65);
    EXPECT_EQ(Find("picCIE")->size(), QSize(400, 396));

    EXPECT_EQ(cie.size(), QSize(647, 513));
    cie.resize(900, 700);
    EXPECT_EQ(cie.size(), QSize(647, 513));
}

TEST_F(Cie, CalculationShowsTheResultsAndFeedsThePointBoxes) {
    CalcPerfectReflector();
    EXPECT_EQ(Label("lblX2"), "95.0471");
    EXPECT_EQ(Label("lblY2"), "100.0000");
    EXPECT_EQ(Label("lblZ2"), "108.8828");
    EXPECT_EQ(Label("lblnx2"), "0.3127");
    EXPECT_EQ(Label("lblny2"), "0.3290");
    EXPECT_EQ(Label("lbluprime2"), "0.1978");
    EXPECT_EQ(Label("lblvprime2"), "0.4683");
    EXPECT_EQ(Label("lblX10"), "94.8111");
    EXPECT_EQ(Label("lblZ10"), "107.3047");
    EXPECT_EQ(Label("lblvprime10"), "0.4696");
    EXPECT_EQ(Box("txtX")->text(), "95.0471");
    EXPECT_EQ(Box("txtZ")->text(), "108.8828");
    EXPECT_EQ(cie.ill_file(), 4);

    // The 10 degree observer chosen on the diagram tab feeds its own values.
    Find<QRadioButton>("optChromaticity_1")->click();
    cie.CalcColorimetry(QList<double>(2151, 1000.0), 0, 350, UCIE::ifC);
    EXPECT_EQ(Label("lblX2"), "100.0080");
    EXPECT_EQ(Box("txtX")->text(), "99.9886");
    EXPECT_EQ(cie.ill_file(), 3);

    // Without the chromaticity tab the boxes are left alone.
    cie.setShowChromaticity(false);
    CalcPerfectReflector(UCIE::ifA);
    EXPECT_EQ(Label("lblX2"), "109.8504");
    EXPECT_EQ(Box("txtX")->text(), "99.9886");
}

TEST_F(Cie, FailedCalculationKeepsTheLabelsAndReachesTheCaller) {
    CalcPerfectReflector();
    auto fault = [&](const QList<double>& buffer, qint32 type, qint32 start,
                     UCIE::IlluminateFile ill) {
        try {
            cie.CalcColorimetry(buffer, type, start, ill);
        } catch (const CieError& e) {
            return std::to_string(e.Number()) + " " + e.what();
        }
        return std::string("no error");
    };
    EXPECT_EQ(fault(QList<double>(600, 1.0), 1, 361, UCIE::ifD65),
              "9 the spectrum does not cover every wavelength from 360 to 830 nm");
    EXPECT_EQ(fault(QList<double>(470, 1.0), 1, 360, UCIE::ifD65).substr(0, 2), "9 ");
    EXPECT_EQ(fault(QList<double>(471, 1.0), 1, 360, UCIE::ifB), "11 the normalising sum is zero");
    EXPECT_EQ(fault(QList<double>(471, 0.0), 2, 360, UCIE::ifD65),
              "11 the normalising sum is zero");
    EXPECT_EQ(fault(QList<double>(471, 0.0), 1, 360, UCIE::ifD65), "6 the arithmetic overflowed");
    QList<double> marked(471, 1.0);
    marked[505 - 360] = -9999;
    EXPECT_EQ(fault(marked, 1, 360, UCIE::ifD65), "5 the spectrum has no value at 505 nm");
    EXPECT_EQ(Label("lblX2"), "95.0471");
    EXPECT_EQ(Label("lblvprime10"), "0.4696");

    // Through the meta-object, as a late-bound host calls it.
    EXPECT_THROW(
        QMetaObject::invokeMethod(&cie, "CalcColorimetry",
                                  Q_ARG(QList<double>, QList<double>(10, 1.0)), Q_ARG(qint32, 1),
                                  Q_ARG(qint32, 360), Q_ARG(UCIE::IlluminateFile, UCIE::ifD65)),
        CieError);
}

TEST_F(Cie, ClearingBlanksWhatIsShownButKeepsTheResults) {
    CalcPerfectReflector();
    Box("txtR")->setText("12");
    cie.ClearCIE();
    for (const char* name : {"lblX2", "lblny2", "lblvprime2", "lblX10", "lblvprime10"}) {
        EXPECT_EQ(Label(name), "") << name;
    }
    for (const char* name : {"txtX", "txtY", "txtZ", "txtR", "txtG", "txtB"}) {
        EXPECT_EQ(Box(name)->text(), "") << name;
    }
    EXPECT_EQ(Format(cie.x2bar(), "##0.0000"), "95.0471");
    EXPECT_EQ(cie.property("x2bar").toFloat(), cie.x2bar());
    // The tables stay loaded, the results stay until the next calculation.
    cie.InitCIE();
    EXPECT_EQ(Format(cie.z10bar(), "##0.0000"), "107.3047");
}

TEST_F(Cie, PickingAnotherIlluminantRaisesOneEvent) {
    QSignalSpy changed(&cie, &UCIE::IlluminateFileChanged);
    auto* list = Find<QComboBox>("cboIlluminate");
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(changed.count(), 0);  // D65 was already chosen

    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(cie.SelectedIllFile(), UCIE::ifA);
    emit list->activated(0);
    EXPECT_EQ(changed.count(), 1);

    // A host's Let raises nothing and leaves the list as it is.
    list->setCurrentIndex(1);
    cie.setProperty("SelectedIllFile", QVariant::fromValue(UCIE::ifA));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(list->currentText(), "D65");
    emit list->activated(1);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(cie.SelectedIllFile(), UCIE::ifD65);
}

TEST_F(Cie, ShowPropertiesShowAndHideTheirTabs) {
    cie.setShowChromaticity(false);
    EXPECT_FALSE(Tabs()->isTabVisible(3));
    cie.setShowChromaticity(true);
    EXPECT_TRUE(Tabs()->isTabVisible(3));
    cie.setProperty("ShowColorFunctions", false);
    EXPECT_FALSE(Tabs()->isTabVisible(1));
    cie.setShowIlluminates(false);
    EXPECT_FALSE(Tabs()->isTabVisible(2));
    EXPECT_TRUE(Tabs()->isTabVisible(0));

    // The diagram options only store their flag.
    cie.setShowGrid(false);
    EXPECT_FALSE(cie.ShowGrid());
    EXPECT_TRUE(Find<QCheckBox>("chkShowGrid")->isChecked());
}

TEST_F(Cie, GammaTakesZeroToTenAndComplainsOtherwise) {
    TypeGamma("10");
    EXPECT_EQ(Box("txtGamma")->text(), "10.00");
    EXPECT_EQ(SavedGamma(), 10.0f);

    TypeGamma("10.01");
    ASSERT_EQ(heard.Messages.size(), 1u);
    EXPECT_EQ(heard.Messages[0].prompt, "Enter a value from 0 to 10");
    EXPECT_EQ(heard.Messages[0].title, "Gamma Entry");
    EXPECT_EQ(heard.Messages[0].buttons, vbOKOnly | vbExclamation);
    EXPECT_EQ(SavedGamma(), 10.0f);

    // The same value again is left as typed.
    TypeGamma("10.0");
    EXPECT_EQ(Box("txtGamma")->text(), "10.0");
    TypeGamma("0");
    EXPECT_EQ(Box("txtGamma")->text(), "0.00");
    EXPECT_EQ(SavedGamma(), 0.0f);

    // What the key filter lets through but is no number gets the same message.
    TypeGamma(":");
    TypeGamma("");
    EXPECT_EQ(heard.Messages.size(), 3u);
    EXPECT_EQ(SavedGamma(), 0.0f);
    EXPECT_EQ(heard.Messages[2].prompt, "Enter a value from 0 to 10");
}

TEST_F(Cie, KeyFilterSwallowsWhatIsNoPartOfANumberWithABeep) {
    for (const char* name : {"txtGamma", "txtX", "txtY", "txtZ"}) {
        QLineEdit* box = Box(name);
        box->setText("1.5");
        const int before = heard.Beeps;
        QTest::keyClick(box, '.');
        EXPECT_EQ(box->text(), "1.5") << name;
        QTest::keyClick(box, '-');
        QTest::keyClick(box, 'a');
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(box->text(), "1.5") << name;
        EXPECT_EQ(heard.Beeps, before + 6) << name;

        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, '7');
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), "1.7") << name;
        box->selectAll();
        QTest::keyClick(box, '.');
        EXPECT_EQ(box->text(), ".") << name;
        EXPECT_EQ(heard.Beeps, before + 6) << name;
        // The desktop's time separator is swallowed too: the boxes take no times.
        QTest::keyClick(box, ':');
        EXPECT_EQ(box->text(), ".") << name;
        EXPECT_EQ(heard.Beeps, before + 7) << name;
    }
}

TEST_F(Cie, PointBoxesTakeFourDecimalsWhenTheyLeave) {
    QLineEdit* x = Box("txtX");
    x->setText("12.5");
    LeaveBox(x);
    EXPECT_EQ(x->text(), "12.5000");
    x->setText("1:2");
    LeaveBox(x);
    EXPECT_EQ(x->text(), "1:2");
    x->setText("");
    LeaveBox(x);
    EXPECT_EQ(x->text(), "");
}

TEST_F(Cie, CommaDesktopShowsAndReadsCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ResetLocaleSeparators();
    EXPECT_EQ(GetLocaleSeparator(0), ",");
    EXPECT_EQ(GetLocaleSeparator(1), ":");
    EXPECT_EQ(GetLocaleSeparator(2), "");
    CalcPerfectReflector();
    EXPECT_EQ(Label("lblX2"), "95,0471");

    TypeGamma("2,5");
    EXPECT_EQ(Box("txtGamma")->text(), "2,50");
    EXPECT_EQ(SavedGamma(), 2.5f);
    QLineEdit* x = Box("txtX");
    x->setText("1,5");
    QTest::keyClick(x, ',');
    EXPECT_EQ(x->text(), "1,5");
    QTest::keyClick(x, '.');  // no decimal sign here, so no test applies
    EXPECT_EQ(x->text(), "1,5.");
    LeaveBox(x);
    EXPECT_EQ(x->text(), "1,5.");

    // Kept for the process until reset.
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(GetLocaleSeparator(0), ",");
}

TEST_F(Cie, SavedPropertiesRoundTripInTheirOrderAndTouchOnlyTheFields) {
    cie.InitProperties();
    PropertyBag defaults;
    cie.WriteProperties(defaults);
    EXPECT_EQ(defaults.Names(),
              (QStringList{"ShowColorFunctions", "ShowChromaticity", "Gamma", "ShowGrid",
                           "ShowWavelengths", "ShowPoint", "IllFile"}));
    EXPECT_FALSE(defaults.ReadProperty("ShowChromaticity", true).toBool());
    EXPECT_EQ(defaults.ReadProperty("IllFile", 0).toInt(), 4);

    PropertyBag bag;
    bag.WriteProperty("ShowChromaticity", false, false);
    bag.WriteProperty("Gamma", 2.25, 1);
    bag.WriteProperty("IllFile", 1, 4);
    bag.WriteProperty("ShowGrid", false, true);
    UCIE other;
    other.ReadProperties(bag);
    EXPECT_FALSE(other.ShowChromaticity());
    EXPECT_EQ(other.SelectedIllFile(), UCIE::ifA);
    EXPECT_TRUE(other.ShowColorFunctions());
    EXPECT_FALSE(other.ShowGrid());
    // Fields only: the tab, the list and the gamma box stay as created.
    auto* tabs = other.findChild<QTabWidget*>("tabCIE");
    EXPECT_TRUE(tabs->isTabVisible(3));
    EXPECT_EQ(other.findChild<QComboBox*>("cboIlluminate")->currentText(), "D65");
    EXPECT_EQ(other.findChild<QLineEdit*>("txtGamma")->text(), "1.00");

    PropertyBag again;
    other.WriteProperties(again);
    UCIE third;
    third.ReadProperties(again);
    PropertyBag last;
    third.WriteProperties(last);
    for (const QString& name : again.Names()) {
        EXPECT_EQ(last.ReadProperty(name, {}), again.ReadProperty(name, {})) << name.toStdString();
    }
    EXPECT_EQ(last.ReadProperty("Gamma", 0).toFloat(), 2.25f);

    // A saved gamma the gamma box would refuse reads as the default.
    for (const QVariant& wrong :
         {QVariant(10.5), QVariant(-0.5), QVariant(qQNaN()), QVariant(qInf()), QVariant("steep")}) {
        PropertyBag damaged;
        damaged.WriteProperty("Gamma", wrong, 1);
        UCIE fourth;
        fourth.ReadProperties(damaged);
        PropertyBag written;
        fourth.WriteProperties(written);
        EXPECT_EQ(written.ReadProperty("Gamma", 0).toFloat(), 1.0f)
            << wrong.toString().toStdString();
    }
    PropertyBag edge;
    edge.WriteProperty("Gamma", 10, 1);
    UCIE fifth;
    fifth.ReadProperties(edge);
    PropertyBag written;
    fifth.WriteProperties(written);
    EXPECT_EQ(written.ReadProperty("Gamma", 0).toFloat(), 10.0f);
}

TEST_F(Cie, MetaObjectOffersTheInterfaceByName) {
    const QMetaObject* meta = cie.metaObject();
    const QMetaEnum ill = QMetaEnum::fromType<UCIE::IlluminateFile>();
    EXPECT_EQ(ill.keyToValue("ifD65"), 4);
    EXPECT_EQ(ill.keyToValue("ifNone"), 0);
    for (const char* name : {"x2bar", "v_prime_10", "k2", "k10", "ill_file"}) {
        const QMetaProperty p = meta->property(meta->indexOfProperty(name));
        EXPECT_TRUE(p.isReadable()) << name;
        EXPECT_FALSE(p.isWritable()) << name;
    }
    for (const char* name : {"SelectedIllFile", "ShowPoint", "BackColor", "ForeColor"}) {
        EXPECT_TRUE(meta->property(meta->indexOfProperty(name)).isWritable()) << name;
    }
    EXPECT_TRUE(QMetaObject::invokeMethod(
        &cie, "CalcColorimetry", Q_ARG(QList<double>, QList<double>(471, 0.5)), Q_ARG(qint32, 1),
        Q_ARG(qint32, 360), Q_ARG(UCIE::IlluminateFile, UCIE::ifD65)));
    EXPECT_EQ(Label("lblX2"), "47.5235");
    EXPECT_EQ(Label("lblY2"), "50.0000");
    EXPECT_EQ(Label("lblZ2"), "54.4414");
    EXPECT_TRUE(QMetaObject::invokeMethod(&cie, "ClearCIE"));
    EXPECT_EQ(Label("lblX2"), "");
}

TEST_F(Cie, ColoursTravelWithRedInTheLowByte) {
    cie.setForeColor(255);
    EXPECT_EQ(cie.ForeColor(), 255);
    QWidget host;
    host.setPalette(QPalette(QColor(0, 0, 255)));
    UCIE hosted(&host);
    EXPECT_EQ(hosted.BackColor(), 16711680);
    hosted.setBackColor(65280);
    EXPECT_EQ(hosted.palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(hosted.BackColor(), 16711680);
}

}  // namespace
