#pragma once
// The promotion window for one of the maker's other programs, over the
// repeating pattern of the main window.

#include "output/core/MakerLinks.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <map>
#include <memory>

namespace Ui {
class Promotion_Form;
}

class Promotion_Form : public QDialog {
    Q_OBJECT

public:
    static Promotion_Form* defaultInstance();
    explicit Promotion_Form(QWidget* parent = nullptr);
    ~Promotion_Form() override;

    // Shows the promotion `software_type` names ("S", "R" or "B"; another key
    // leaves the window as it was) and runs the window modally.
    int Open_Promotion_Window();
    void Mail_Clicked();
    void Contact_us_Clicked();
    void Order_Clicked();
    void youtube_Clicked();
    void OK_Clicked();

    void setPatternImage(const QImage& image);

    QString software_type;
    Ui::Promotion_Form* ui() const { return m_ui.get(); }
    // The promotion shown now; none before the first known key.
    const Promotion* current() const;

private:
    void showPromotion(const Promotion& promotion);

    std::unique_ptr<Ui::Promotion_Form> m_ui;
    std::vector<Promotion> m_promotions;
    std::map<QString, QImage> m_pictures;
    QString m_shown;
    static QPointer<Promotion_Form> DefaultInstance;
};
