// The number generator window: typing limits as the user types, constant
// values into a file and into the manager's list, random series, the help.

#include "SeriesWindowsSupport.h"

#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Generate_List.h"
#include "ui_Generate_List.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using swtest::ScriptedRuns;

namespace {

// The card binds the series "Seq": the generator writes over it anyway.
class CardBindingSeq : public SeriesBindingSource {
public:
    CardBindingSeq() {
        sides.front.push_back({"SKTText", 1, "Seq"});
        setCurrent(this);
    }
    ~CardBindingSeq() override { setCurrent(nullptr); }
    SeriesBindingSides sides;
    SeriesBindingSides Card_Series_Bindings() const override { return sides; }
};

// Types the text into the field key by key, as the user would.
QString typed(QLineEdit& field, const QString& text) {
    field.clear();
    QTest::keyClicks(&field, text);
    return field.text();
}

} // namespace

TEST(GeneratorWindow, FieldsKeepTheirLimitsWhileTyping) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    const struct {
        QLineEdit* Ui::Generate_List::*field;
        int mode; // the radio that enables the field
        const char* keys;
        const char* kept;
    } cases[] = {
        {&Ui::Generate_List::to_txt, 0, "123456", "10000"},
        {&Ui::Generate_List::from_txt, 0, "9999", "9999"},
        {&Ui::Generate_List::count_txt, 1, "0", "1"},
        {&Ui::Generate_List::count_txt, 1, "20000", "10000"},
        {&Ui::Generate_List::rand_count_txt, 2, "777", "777"},
        {&Ui::Generate_List::rand_length_txt, 2, "12", "1"},
        {&Ui::Generate_List::count_txt, 1, "12a", "12"},
        {&Ui::Generate_List::from_txt, 0, "3x", "3"},
        {&Ui::Generate_List::to_txt, 0, "-7 ", "7"},
        {&Ui::Generate_List::rand_length_txt, 2, "x", ""},
    };
    ScriptedRuns runs([&](QDialog&) {
        Ui::Generate_List& f = generator->form();
        for (const auto& c : cases) {
            (c.mode == 0   ? generator->Sequintial_Radio_Pressed()
             : c.mode == 1 ? generator->Constant_Radio_Pressed()
                           : generator->Random_Radio_Pressed());
            EXPECT_EQ(typed(*(f.*c.field), c.keys), c.kept) << c.keys;
        }
        // "123456" in To: the first five keys give "12345", which is capped.
        f.radioButton_Sequntial->click();
        QLineEdit& to = *f.to_txt;
        to.clear();
        QTest::keyClicks(&to, "12345");
        EXPECT_EQ(to.text(), "10000");
        // The steppers follow their fields.
        f.radioButton_Constant->click();
        typed(*f.count_txt, "42");
        EXPECT_EQ(f.count_stepper->intValue(), 42);
        return 0;
    });
    generator->file_name_required = 1;
    EXPECT_EQ(generator->Open_Wnd(), 0);
}

TEST(GeneratorWindow, OkRefusesWhatItCannotReadAndReplacesNothing) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    const QByteArray kept = "keep\n";
    {
        QFile old(ws.seriesPath("Seq"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kept);
    }
    using Field = QLineEdit* Ui::Generate_List::*;
    const struct {
        int mode;
        std::vector<std::pair<Field, const char*>> keys;
        QString message;
    } cases[] = {
        {0,
         {{&Ui::Generate_List::from_txt, "abc"}, {&Ui::Generate_List::to_txt, "20"}},
         "Please enter valid 'From' value."},
        {0,
         {{&Ui::Generate_List::from_txt, "3x"}, {&Ui::Generate_List::to_txt, "2"}},
         "'From' value must be smaller than 'To' value."},
        {0, {{&Ui::Generate_List::from_txt, "4"}}, "Please enter valid 'To' value."},
        {1, {{&Ui::Generate_List::count_txt, "3"}}, "Please enter valid 'Value'."},
        {2, {{&Ui::Generate_List::rand_length_txt, "x"}}, "Please enter valid 'Length' value."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        int result = -1;
        ScriptedRuns runs([&](QDialog& d) {
            d.show();
            Ui::Generate_List& f = generator->form();
            QRadioButton* radios[] = {f.radioButton_Sequntial, f.radioButton_Constant,
                                      f.radioButton_Random};
            QTest::mouseClick(radios[c.mode], Qt::LeftButton, {},
                              QPoint(6, radios[c.mode]->height() / 2));
            QLineEdit* names[] = {f.seq_file_name, f.const_file_name, f.rndm_file_name};
            names[c.mode]->clear();
            QTest::keyClicks(names[c.mode], "Seq");
            for (const auto& [field, text] : c.keys) {
                typed(*(f.*field), text);
            }
            d.setResult(-1);
            QTest::mouseClick(f.ok_btn, Qt::LeftButton);
            result = d.result();
            d.hide();
            return 0;
        });
        testsupport::ScriptedAlerts alerts({}, 1); // Yes, were anything asked
        generator->file_name_required = 1;
        generator->Open_Wnd();
        EXPECT_EQ(result, -1); // the window stayed open
        EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList{c.message});
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Seq")), kept);
    }
}

TEST(GeneratorWindow, ConstantValuesAsTypedInAFileButTrimmedInTheList) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    const auto fill = [&](const char* name) {
        Ui::Generate_List& f = generator->form();
        generator->Constant_Radio_Pressed();
        f.value_txt->setText(" x ");
        typed(*f.count_txt, "3");
        f.const_file_name->setText(name);
        generator->OKPressed();
    };
    testsupport::ScriptedAlerts alerts;
    {
        ScriptedRuns runs([&](QDialog& d) {
            fill("Blanks");
            return d.result();
        });
        generator->file_name_required = 1;
        generator->file_name_Insert = 0;
        EXPECT_EQ(generator->Open_Wnd(), 1);
    }
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Blanks")), " x \n x \n x \n");
    {
        ScriptedRuns runs([&](QDialog& d) {
            fill("");
            return d.result();
        });
        generator->file_name_required = 0;
        generator->file_name_Insert = 1;
        EXPECT_EQ(generator->Open_Wnd(), 1);
    }
    EXPECT_EQ(manager->values(), QStringList({"x", "x", "x"}));
    EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();
    generator->file_name_Insert = 0;
}

TEST(GeneratorWindow, SequencesPadToTheLongerTypedText) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    const struct {
        const char* from;
        const char* to;
        bool pad;
        QByteArray bytes;
    } cases[] = {
        {"1", "10", true, "01\n02\n03\n04\n05\n06\n07\n08\n09\n10\n"},
        {"001", "10", true, "001\n002\n003\n004\n005\n006\n007\n008\n009\n010\n"},
        {"8", "11", false, "P8S\nP9S\nP10S\nP11S\n"},
    };
    // Yes to every replace question: the later runs write over "Seq", which
    // is bound on the card (the generator does not test that).
    CardBindingSeq card;
    testsupport::ScriptedAlerts alerts({}, 1);
    for (const auto& c : cases) {
        ScriptedRuns runs([&](QDialog& d) {
            Ui::Generate_List& f = generator->form();
            typed(*f.from_txt, c.from);
            typed(*f.to_txt, c.to);
            f.manage_digit_chk->setChecked(c.pad);
            if (!c.pad) {
                f.prefix_txt->setText("P");
                f.suffix_txt->setText("S");
            }
            f.seq_file_name->setText("Seq");
            generator->OKPressed();
            return d.result();
        });
        generator->file_name_required = 1;
        EXPECT_EQ(generator->Open_Wnd(), 1) << c.from;
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Seq")), c.bytes) << c.from;
    }
    EXPECT_EQ(alerts.texts(),
              QStringList(2, "Batch Processing Series already exists. Do you want to replace it?"));
}

TEST(GeneratorWindow, RandomSeriesStayInTheirDigitRange) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    for (const auto& [length, low, high] :
         {std::tuple{"1", 1LL, 9LL}, std::tuple{"9", 100000000LL, 999999999LL}}) {
        ScriptedRuns runs([&](QDialog& d) {
            Ui::Generate_List& f = generator->form();
            generator->Random_Radio_Pressed();
            f.rand_prefix_txt->setText("R-");
            f.rand_suffix_txt->setText("/9");
            typed(*f.rand_length_txt, length);
            typed(*f.rand_count_txt, "10000");
            f.rndm_file_name->setText(QStringLiteral("Random%1").arg(length));
            generator->OKPressed();
            return d.result();
        });
        testsupport::ScriptedAlerts alerts;
        generator->file_name_required = 1;
        ASSERT_EQ(generator->Open_Wnd(), 1);
        const QList<QByteArray> lines =
            dstest::readBytes(ws.seriesPath(QStringLiteral("Random%1").arg(length))).split('\n');
        ASSERT_EQ(lines.size(), 10001); // the last "\n" ends the last line
        EXPECT_TRUE(lines.last().isEmpty());
        QSet<long long> seen;
        for (int i = 0; i < 10000; ++i) {
            const QByteArray& line = lines[i];
            ASSERT_TRUE(line.startsWith("R-") && line.endsWith("/9")) << line.constData();
            bool ok = false;
            const long long n = line.mid(2, line.size() - 4).toLongLong(&ok);
            ASSERT_TRUE(ok) << line.constData();
            ASSERT_GE(n, low) << line.constData();
            ASSERT_LE(n, high) << line.constData();
            seen.insert(n);
        }
        // Ten thousand draws from nine digits hit every one of them; of the
        // nine-digit numbers nearly all differ.
        if (QByteArray(length) == "1") {
            EXPECT_EQ(seen.size(), 9);
        } else {
            EXPECT_GT(seen.size(), 9900);
        }
    }
}

TEST(GeneratorWindow, HelpShowsTheTitleWithTheTextAsInformativeText) {
    Generate_List* generator = Generate_List::defaultInstance();
    testsupport::ScriptedAlerts alerts;
    generator->Help_btn_Pressed();
    ASSERT_EQ(alerts.requests().size(), 1u);
    const AlertRequest request = alerts.requests().front();
    EXPECT_EQ(request.kind, AlertKind::Message);
    EXPECT_EQ(request.text, "Maintain number of Digits By adding 0's before smaller values. ");
    EXPECT_EQ(Cutom_Msg_Title, request.text);
    EXPECT_EQ(Cutom_Msg_Val, request.informativeText);
    EXPECT_TRUE(request.informativeText.startsWith(
        "For example:\r\nIf you have to generate a series of barcodes having values from '0' to "
        "'200'"));
    EXPECT_EQ(request.informativeText.count("\r\n"), 3);
}

// OK with a field of the chosen kind left empty names that field, keeps the
// window open and writes nothing.
TEST(GeneratorWindow, EmptyFieldsAreNamedOnOk) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    Ui::Generate_List& f = generator->form();
    using Field = QLineEdit* Ui::Generate_List::*;
    const struct {
        QRadioButton* Ui::Generate_List::*kind;
        Field first;
        const char* firstText;
        Field second;
        const char* secondText;
        const char* message;
    } rows[] = {
        {&Ui::Generate_List::radioButton_Sequntial, &Ui::Generate_List::from_txt, "",
         &Ui::Generate_List::to_txt, "5", "Please enter valid 'From' value."},
        {&Ui::Generate_List::radioButton_Sequntial, &Ui::Generate_List::from_txt, "1",
         &Ui::Generate_List::to_txt, "", "Please enter valid 'To' value."},
        {&Ui::Generate_List::radioButton_Constant, &Ui::Generate_List::value_txt, "",
         &Ui::Generate_List::count_txt, "3", "Please enter valid 'Value'."},
        {&Ui::Generate_List::radioButton_Constant, &Ui::Generate_List::value_txt, "x",
         &Ui::Generate_List::count_txt, "", "Please enter valid 'Count' value."},
        {&Ui::Generate_List::radioButton_Random, &Ui::Generate_List::rand_count_txt, "",
         &Ui::Generate_List::rand_length_txt, "3", "Please enter valid 'Count' value."},
        {&Ui::Generate_List::radioButton_Random, &Ui::Generate_List::rand_count_txt, "3",
         &Ui::Generate_List::rand_length_txt, "", "Please enter valid 'Length' value."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        ScriptedRuns runs([&](QDialog& d) {
            d.setResult(0); // as a modal run starts
            (f.*row.kind)->click();
            typed(*(f.*row.first), QString::fromLatin1(row.firstText));
            typed(*(f.*row.second), QString::fromLatin1(row.secondText));
            f.ok_btn->click();
            const int afterOk = d.result();
            f.cancel_btn->click();
            return afterOk;
        });
        testsupport::ScriptedAlerts alerts;
        generator->file_name_required = 1;
        EXPECT_EQ(generator->Open_Wnd(), 0);
        EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList{row.message});
        EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
    }
}
