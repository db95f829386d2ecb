#pragma once
// A new user's invitation, made through the program's windows: the start
// wizard lays out the card, the number generator makes the ticket series,
// a picture, a shape and two barcodes are added and arranged with the
// mouse, a text and both barcodes are bound to the series, the contact
// fields dialog imports a workbook written by openpyxl and places the
// user's name and phone, and a text is bound to the workbook's guest
// column. The design is saved, the program ended and started again, and
// the design opened from the start window.

#include "ProgramSession.h"

#include "editor/model/SKTGraphic.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRectF>
#include <QStringList>

class QWidget;

namespace invitation {

// The card: 115 x 205 mm, so ten fit on an A2 sheet in landscape (5 x 2).
inline constexpr double kCardWidthMm = 115;
inline constexpr double kCardHeightMm = 205;

// What the user types into the wizard.
inline const QString kTitle = QStringLiteral("Summer Garden Party");
inline const QString kMessage = QStringLiteral("Join us for music and supper");
inline const QString kSender = QStringLiteral("The Lindqvists");
inline const QString kVenue = QStringLiteral("Old Mill Hall");
// 12 June 2027, 18:30, as an English (United States) user's wizard shows it.
inline const QString kDateLine = QStringLiteral("Saturday, June 12, 2027 at 6:30 PM");

// The series the generator makes: prefix "INV-", 1001 to 1010.
inline const QString kSeriesName = QStringLiteral("Tickets");
inline const QStringList kTickets = {QStringLiteral("INV-1001"), QStringLiteral("INV-1002"),
                                     QStringLiteral("INV-1003"), QStringLiteral("INV-1004"),
                                     QStringLiteral("INV-1005"), QStringLiteral("INV-1006"),
                                     QStringLiteral("INV-1007"), QStringLiteral("INV-1008"),
                                     QStringLiteral("INV-1009"), QStringLiteral("INV-1010")};
// The workbook's guest column, one guest per record.
inline const QStringList kGuests = {QStringLiteral("Alma"),  QStringLiteral("Bruno"),
                                    QStringLiteral("Cora"),  QStringLiteral("Dario"),
                                    QStringLiteral("Edda"),  QStringLiteral("Fritz"),
                                    QStringLiteral("Greta"), QStringLiteral("Hugo"),
                                    QStringLiteral("Ilse"),  QStringLiteral("Jonas")};
// Contact fields the user types.
inline const QString kContactName = QStringLiteral("Nora Lindqvist");
inline const QString kContactPhone = QStringLiteral("555-0142");

// Where the user arranges the objects (card points, y down). The
// barcodes' frames take the size of the pictures the designer shows (a
// barcode picture is drawn at its own size).
inline const QRectF kPictureFrame(6, 6, 30, 30);
inline const QRectF kShapeFrame(290, 6, 30, 30);
inline const QPointF kCode128Corner(10, 290);
inline const QPointF kQrCorner(222, 290);
inline const QRectF kTicketTextFrame(10, 352, 200, 20);
inline const QRectF kGuestTextFrame(10, 374, 200, 20);
inline const QRectF kContactNameFrame(10, 398, 200, 16);
inline const QRectF kContactPhoneFrame(10, 416, 200, 14);

} // namespace invitation

class InvitationDesign : public ProgramSession {
protected:
    void SetUp() override;
    void TearDown() override;

    // Every step up to the design opened again, each checked as it goes.
    // Call with ASSERT_NO_FATAL_FAILURE.
    void buildSaveAndReopen();

    // The steps one by one.
    void startWithTheWizard();
    void generateTheTicketSeries();
    void addPictureAndShape();
    void addBarcode(const QString& symbology, const QPointF& corner);
    void addTicketText();
    void placeContactFieldsWithTheWorkbook();
    void addGuestText();
    void saveTheDesign();
    void restartAndOpenTheDesign();
    // Starts the program, opening designFile() from the start window's
    // "Open". Call with ASSERT_NO_FATAL_FAILURE.
    void startOpeningTheDesignFile();

    // The design's file and what it held when saved.
    QString designFile() const { return homeFile(QStringLiteral("Invitation.dcard")); }
    QString workbookFile() const { return homeFile(QStringLiteral("Guests.xlsx")); }

    // A user's choice in a combo box, by its title.
    static void choose(QComboBox* combo, const QString& title);
    // Types into a field as the user does (the field's text replaced).
    static void type(QLineEdit* field, const QString& text);
    // The user leaves the field: its editing is finished.
    static void confirm(QLineEdit* field);
    static void click(QAbstractButton* button);
    template <typename T> static T* child(QWidget& parent, const char* name);

    // The objects of the front side with that class, oldest first.
    SKTGraphicList frontObjects(const QString& className) const;
    std::shared_ptr<SKTGraphic> frontObjectWithID(const QString& id) const;
    // The object the tool just made (the front canvas's selection).
    std::shared_ptr<SKTGraphic> justMade() const;

    QByteArray m_savedDesign; // the design array as XML when saved
    QImage m_savedFront;      // the front side rendered when saved
    QString m_background;     // the picture the wizard chose
};

template <typename T> T* InvitationDesign::child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}
