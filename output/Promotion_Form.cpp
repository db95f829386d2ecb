#include "output/Promotion_Form.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "output/LinkCommands.h"
#include "output/LinkStyle.h"
#include "output/Review_Form.h"
#include "ui_Promotion_Form.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <exception>

QPointer<Promotion_Form> Promotion_Form::DefaultInstance;

Promotion_Form* Promotion_Form::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

Promotion_Form::Promotion_Form(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::Promotion_Form),
      m_promotions(promotions(QCoreApplication::applicationName())) {
    m_ui->setupUi(this);
    linkstyle::styleWindow(*this);
    for (QPushButton* link : {m_ui->website_1, m_ui->support_id, m_ui->mailButton,
                              m_ui->contactButton, m_ui->orderButton, m_ui->youtubeButton}) {
        linkstyle::styleLink(link);
    }
    QFont title = m_ui->Software_title->font();
    title.setBold(true);
    title.setPointSize(16);
    m_ui->Software_title->setFont(title);
    for (const Promotion& promotion : m_promotions) {
        m_pictures[promotion.key] = QImage(QDir(Resource_Path).filePath(promotion.pictureName));
    }
    connect(m_ui->mailButton, &QPushButton::clicked, this, &Promotion_Form::Mail_Clicked);
    connect(m_ui->contactButton, &QPushButton::clicked, this, &Promotion_Form::Contact_us_Clicked);
    connect(m_ui->orderButton, &QPushButton::clicked, this, &Promotion_Form::Order_Clicked);
    connect(m_ui->youtubeButton, &QPushButton::clicked, this, &Promotion_Form::youtube_Clicked);
    connect(m_ui->okButton, &QPushButton::clicked, this, &Promotion_Form::OK_Clicked);
    connect(m_ui->website_1, &QPushButton::clicked, this,
            [] { LinkCommands::run(&LinkCommands::Open_Website_1); });
    connect(m_ui->support_id, &QPushButton::clicked, this,
            [] { LinkCommands::run(&LinkCommands::Open_Support_Mail); });
}

Promotion_Form::~Promotion_Form() = default;

void Promotion_Form::setPatternImage(const QImage& image) {
    m_ui->pattern->setPatternImage(image);
}

const Promotion* Promotion_Form::current() const {
    for (const Promotion& promotion : m_promotions) {
        if (promotion.key == m_shown) {
            return &promotion;
        }
    }
    return nullptr;
}

void Promotion_Form::showPromotion(const Promotion& promotion) {
    m_shown = promotion.key;
    const QImage& picture = m_pictures[promotion.key];
    m_ui->bundle_image->setPixmap(QPixmap::fromImage(picture));
    m_ui->Software_title->setText(promotion.title);
    m_ui->short_descp->setText(promotion.shortDescription);
    m_ui->long_descp->setText(promotion.longDescription);
}

int Promotion_Form::Open_Promotion_Window() {
    try {
        for (const Promotion& promotion : m_promotions) {
            if (promotion.key == software_type) {
                showPromotion(promotion);
            }
        }
        const int answer = hooks::runModal(*this);
        hide();
        return answer;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        hide();
        return 0;
    }
}

void Promotion_Form::Mail_Clicked() {
    const Promotion* p = current();
    Review_Form::Open_Link(p ? p->mailLink : QString());
}

void Promotion_Form::Contact_us_Clicked() {
    const Promotion* p = current();
    Review_Form::Open_Link(p ? p->contactLink : QString());
}

void Promotion_Form::Order_Clicked() {
    const Promotion* p = current();
    Review_Form::Open_Link(p ? p->orderLink : QString());
}

void Promotion_Form::youtube_Clicked() {
    makerlinks::Open_Video_Channel();
}

void Promotion_Form::OK_Clicked() {
    done(1);
}
