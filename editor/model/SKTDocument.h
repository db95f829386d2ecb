#pragma once
// The card document: three ordered object lists (front "graphics", back
// "graphics_back", temporary "graphics_temp"; index 0 is the front-most
// object), undo for the front side, the document data and the one main
// window controller of the run.
//
// Undo: only the front list is recorded. Each user gesture is one group:
// callers bracket drags and creations with beginUndoGroup/endUndoGroup
// (nestable); any other change opens an automatic group that closes on the
// next pass of the event loop. Within a group the first old value of each
// object and key wins, changes of objects inserted in the same group and
// changes that leave a value equal are not recorded.

#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTMapTableOwner.h"
#include "editor/model/SKTUndoGroupCommand.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <QList>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>
#include <set>

inline constexpr int SKTDocumentCurrentVersion = 2;
inline const QString SKTDocumentVersionKey = QStringLiteral("version");
inline const QString SKTDocumentGraphicsKey = QStringLiteral("graphics");
inline const QString SKTDocumentGraphicsKey_back = QStringLiteral("graphics_back");
inline const QString SKTDocumentGraphicsKey_temp = QStringLiteral("graphics_temp");
inline const QString SKTDocumentPrintInfoKey = QStringLiteral("printInfo");
inline const QString SKTDocumentCanvasSizeKey = QStringLiteral("canvasSize");
inline const QString SKTDocumentNewTypeName = QStringLiteral("com.vosksoftware.Festoria");
inline const QString SKTDocumentOldTypeName = QStringLiteral("VOSK CARD document");

// What a document notes about an object just before an observed change.
struct SKTGraphicChange {
    QRectF oldDrawingBounds;
    bool record = false;
    QVariantMap oldValues; // observed undo keys
};

using SKTWindowControllerFactory =
    std::function<std::unique_ptr<SKTWindowControllerInterface>(SKTDocument&)>;

// The card renderer's PDF and TIFF data of an object list. The renderer sits
// in a library above the model and installs these when it is linked in; an
// empty answer means the rendering failed.
struct SKTCardRenderings {
    std::function<QByteArray(const SKTGraphicList&)> pdf;
    std::function<QByteArray(const SKTGraphicList&, SKTError*)> tiff;
};

class SKTDocument : public QObject {
    Q_OBJECT

public:
    explicit SKTDocument(QObject* parent = nullptr);
    ~SKTDocument() override;

    // ---- Lists ----
    const SKTGraphicList& graphics() const { return _graphics; }
    const SKTGraphicList& graphics_back() const { return _graphics_back; }
    const SKTGraphicList& graphics_temp() const { return _graphics_temp; }
    // The list of a key ("graphics", "graphics_back", "graphics_temp"); an
    // empty list for another key.
    const SKTGraphicList& graphicsForKey(const QString& key) const;

    // The front list's mutators, recorded for undo. The indexes are those
    // the objects have after the insertion (ascending, one per object).
    // Invalid index sets are refused and logged.
    bool insertGraphics(const SKTGraphicList& graphics, const QList<int>& indexes);
    bool removeGraphicsAtIndexes(const QList<int>& indexes);
    bool insertGraphic(const std::shared_ptr<SKTGraphic>& graphic, int index);
    bool removeGraphicAtIndex(int index);
    bool addInGraphics(const std::shared_ptr<SKTGraphic>& graphic);

    // Any list by key: the front list goes through the mutators above, the
    // back and temporary lists change in place without undo.
    bool insertGraphicsInList(const QString& key, const SKTGraphicList& graphics,
                              const QList<int>& indexes);
    bool removeGraphicsInList(const QString& key, const QList<int>& indexes);

    // ---- Undo ----
    QUndoStack* undoManager() const { return m_undoStack; }
    // Empties the undo history and the front list; undo registration is on
    // afterwards whatever it was before.
    void Clear_All_Undo_Redo();
    // 1 enables, anything else disables: one step of a counted switch.
    void Enable_Disable_Undo_Registraion(int enable);
    bool isUndoRegistrationEnabled() const { return m_registrationDisabled == 0; }

    void beginUndoGroup();
    void endUndoGroup();
    int undoGroupingLevel() const { return m_groupDepth + (m_autoGroupOpen ? 1 : 0); }
    // Undoes what the open group has done so far and drops it: nothing to
    // redo is left (a creation that came to nothing). The group stays open.
    void discardUndoGroup();
    bool canUndo() const { return m_undoStack->canUndo(); }
    bool canRedo() const { return m_undoStack->canRedo(); }
    // Closes the open group first, as a user's undo does.
    void undo();
    void redo();

    // The undo action of a property group: sets the recorded values back.
    void setGraphicProperties(const std::shared_ptr<SKTMapTableOwner>& owner);

    // ---- Document ----
    // 243 x 154 points when the flag's lowest bit is set, else the size.
    static QSizeF canvasSize(int flag, const QSizeF& size_val);
    QPageLayout printInfo() const { return m_printInfo; }
    void setPrintInfo(const QPageLayout& printInfo);
    // The application name from the main window.
    QString displayName() const;
    bool isDocumentEdited() const { return false; }
    bool canConcurrentlyReadDocumentsOfType(const QString&) const { return true; }
    // Documents are never read this way (design files are the main
    // window's business).
    bool readFromData(const QByteArray& data, const QString& type);

    // Makes the main window controller, only for the first document of the
    // run, through the factory (tests substitute their own).
    void makeWindowControllers();
    SKTWindowControllerInterface* windowController() const { return m_windowController.get(); }
    static void setWindowControllerFactory(SKTWindowControllerFactory factory);

    // The card document data for "com.vosksoftware.Festoria" or "VOSK CARD
    // document": a binary property list {"version": 2, "graphics": the front
    // objects' archives, "printInfo": the page settings}. PDF and TIFF types
    // answer the card renderer's data of the front list (a failed TIFF gives
    // error 3, a failed PDF error 1). Other types answer none and an error.
    std::optional<QByteArray> dataOfType(const QString& typeName, SKTError* error = nullptr) const;
    static void setCardRenderings(SKTCardRenderings renderings);

    // ---- Scripting ----
    // The object's index in the front list.
    std::optional<int> objectSpecifierForGraphic(const SKTGraphic* graphic) const;
    // The front objects of a class or its subclasses, in list order.
    template <typename T> SKTGraphicList graphicsWithClass() const {
        SKTGraphicList result;
        for (const auto& graphic : _graphics) {
            if (dynamic_cast<const T*>(graphic.get())) {
                result.append(graphic);
            }
        }
        return result;
    }
    // The class lists "rectangles", "circles" and "rectangles_round" (all
    // the shapes), "lines", "textAreas" and "images"; empty for other keys.
    SKTGraphicList graphicsWithClassKey(const QString& key) const;
    SKTGraphicList rectangles() const { return graphicsWithClassKey(QStringLiteral("rectangles")); }
    SKTGraphicList lines() const { return graphicsWithClassKey(QStringLiteral("lines")); }
    SKTGraphicList textAreas() const { return graphicsWithClassKey(QStringLiteral("textAreas")); }
    SKTGraphicList images() const { return graphicsWithClassKey(QStringLiteral("images")); }
    // Inserts into the front list before the class list's object at the
    // index, or at the end when the index is the class list's length; false
    // and "Could not find the given rectangle in the graphics." (circle,
    // line, text area, image) when there is no such object.
    bool insertObject(const std::shared_ptr<SKTGraphic>& graphic, const QString& classKey,
                      int index, SKTScriptError* error = nullptr);
    // Removes the class list's object at the index from the front list.
    bool removeObjectFrom(const QString& classKey, int index, SKTScriptError* error = nullptr);

    // ---- Reports from the objects' observed setters ----
    std::unique_ptr<SKTGraphicChange> graphicWillChange(SKTGraphic& graphic);
    void graphicDidChange(SKTGraphic& graphic, std::unique_ptr<SKTGraphicChange> change);

    // ---- For the undo commands ----
    void runUndoGroup(SKTUndoGroupCommand& command);
    void undoCommandDestroyed(SKTUndoGroupCommand* command);

signals:
    // Objects inserted into or removed from a list ("graphics", ...), with
    // their indexes (ascending) and the objects.
    void graphicsInserted(const QString& key, const QList<int>& indexes,
                          const SKTGraphicList& graphics);
    void graphicsRemoved(const QString& key, const QList<int>& indexes,
                         const SKTGraphicList& graphics);
    // An observed value of an object in one of the lists changed; the canvas
    // showing it repaints both rectangles.
    void graphicChanged(SKTGraphic* graphic, const QRectF& oldDrawingBounds,
                        const QRectF& newDrawingBounds);
    void canvasSizeChanged();

private:
    struct GroupState {
        std::set<std::shared_ptr<SKTGraphic>> inserted;
        std::shared_ptr<SKTMapTableOwner> oldProperties;
    };

    SKTGraphicList* mutableList(const QString& key);
    bool insertIntoList(SKTGraphicList& list, const QString& key, const SKTGraphicList& graphics,
                        const QList<int>& indexes);
    SKTGraphicList removeFromList(SKTGraphicList& list, const QString& key,
                                  const QList<int>& indexes);
    bool isInAnyList(const SKTGraphic* graphic) const;

    // The group that records now (opening an automatic one when none is
    // open), or none while registration is off or a group is discarded.
    GroupState* recordingState();
    void registerUndoAction(SKTUndoAction action);
    void openAutomaticGroupIfNeeded();
    void closeOpenGroups();
    void finishGroup(); // the checkpoint: the group's bookkeeping is cleared

    SKTGraphicList _graphics;
    SKTGraphicList _graphics_back;
    SKTGraphicList _graphics_temp;

    QUndoStack* m_undoStack;
    int m_registrationDisabled = 0;
    int m_groupDepth = 0;
    bool m_autoGroupOpen = false;
    quint64 m_autoGroupGeneration = 0;
    GroupState m_group;
    SKTUndoGroupCommand* m_openCommand = nullptr;
    // While a group command undoes or redoes: what its actions register.
    bool m_capturing = false;
    GroupState m_capture;
    std::vector<SKTUndoAction> m_capturedActions;
    bool m_discarding = false;
    bool m_destroying = false;

    QPageLayout m_printInfo;
    std::unique_ptr<SKTWindowControllerInterface> m_windowController;
};
