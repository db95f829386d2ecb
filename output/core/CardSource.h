#pragma once
// Where printing and export take their card pictures from. A single design
// answers the same two pictures for its one record; a batch (records bound
// to a data series or spreadsheet columns) answers the picture of record i
// and plugs in here without changing the sheet drawing or the export.

#include "platform/CardPicture.h"

class QPainter;

enum class CardSide { Front, Back };

class CardSource {
public:
    virtual ~CardSource() = default;

    // True when every slot or file shows the next record.
    virtual bool isBatch() const = 0;
    // Number of records (1 for a single design).
    virtual int recordCount() const = 0;
    // The picture of a record's side; none when it cannot be made. May throw;
    // callers pass over such a record. Sets Card_Front_Or_Back to the side it
    // renders, as the card's background follows it.
    virtual CardPicture picture(int record, CardSide side) = 0;
    // The design's own pictures, rendered when the print or export began
    // (the print dialog's front and back images).
    virtual CardPicture designFront() const = 0;
    virtual CardPicture designBack() const = 0;
    // After a batch sheet or run: the design returns to record 0.
    virtual void finish() {}

    // True when drawRecordSide can draw a record's side straight onto a
    // painter right after filling it, without a snapshot (a batch printed on
    // the GUI thread).
    virtual bool drawsLive() const { return false; }
    // Fills the record's side and draws it at the design's size with its
    // top-left corner at `topLeft` (painter units: points). Sets
    // Card_Front_Or_Back to the side. Answers false when nothing could be
    // drawn. May throw; callers pass over such a record.
    virtual bool drawRecordSide(int record, CardSide side, QPainter& painter,
                                const QPointF& topLeft) {
        Q_UNUSED(record);
        Q_UNUSED(side);
        Q_UNUSED(painter);
        Q_UNUSED(topLeft);
        return false;
    }
};

// The current design alone: one record, both sides rendered once.
class DesignCardSource : public CardSource {
public:
    DesignCardSource(CardPicture front, CardPicture back)
        : m_front(std::move(front)), m_back(std::move(back)) {}

    bool isBatch() const override { return false; }
    int recordCount() const override { return 1; }
    CardPicture picture(int record, CardSide side) override;
    CardPicture designFront() const override { return m_front; }
    CardPicture designBack() const override { return m_back; }

private:
    CardPicture m_front;
    CardPicture m_back;
};
