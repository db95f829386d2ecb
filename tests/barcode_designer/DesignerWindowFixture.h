#pragma once
// A designer window per test, with the user's gestures as helpers: choosing
// list items, stepping steppers, typing and clicking, and scripted modal runs.

#include "../common/TestSupport.h"
#include "DesignerTestSupport.h"
#include "barcodes/designer/Barcode_Gen.h"
#include "ui_Barcode_Gen.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/GuiHooks.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

class DesignerWindowTest : public testing::Test {
protected:
    void SetUp() override { m_designer = std::make_unique<Barcode_Gen>(); }
    void TearDown() override {
        hooks::setModalRunner({});
        Barcode_Gen::setFontChooser({});
        m_designer.reset();
    }

    Barcode_Gen& designer() { return *m_designer; }
    Ui::Barcode_Gen& ui() { return m_designer->ui(); }

    // The user picks the item with that title.
    static void choose(QComboBox* combo, const QString& title) {
        const int index = combo->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        choose(combo, index);
    }
    static void choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The user steps a stepper to the value.
    static void step(CardStepper* stepper, double value) {
        stepper->setDoubleValue(value);
        if (stepper->pairedField()) {
            stepper->pairedField()->setText(QString::number(stepper->doubleValue()));
        }
        emit stepper->stepped(stepper->doubleValue());
    }
    static void type(QLineEdit* field, const QString& text) {
        field->setText(text);
        emit field->textEdited(text);
    }
    static void pick(ColorWell* well, const QColor& color) {
        well->setColor(color);
        emit well->colorPicked(color);
    }

    // Runs Open_Wnd with the script as the user inside the modal run.
    void openWith(const std::shared_ptr<SKTGraphic>& object,
                  const std::function<void(Barcode_Gen&)>& script) {
        hooks::setModalRunner([&](QDialog& dialog) {
            dialog.setResult(-1);
            script(designer());
            return dialog.result();
        });
        designer().Open_Wnd(object);
    }

    std::unique_ptr<Barcode_Gen> m_designer;
};
