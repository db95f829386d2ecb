#pragma once
// Card sources for the output tests: solid-colour cards, a batch of
// records of distinct colours (some of which may fail), and vector cards
// carrying a text.

#include "output/core/CardSource.h"

#include <QColor>
#include <QImage>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <vector>

namespace fakecards {

// A raster picture of one colour, one pixel per point.
CardPicture solid(const QSizeF& points, const QColor& colour);
// A vector picture: a fill and, when given, a text in its middle.
CardPicture vectorCard(const QSizeF& points, const QColor& colour, const QString& text = {});

// Records of the given front pictures (backs: the same picture darker);
// records in `failing` throw when asked.
class BatchSource : public CardSource {
public:
    BatchSource(std::vector<CardPicture> fronts, CardPicture designFront, QSet<int> failing = {})
        : m_fronts(std::move(fronts)), m_design(std::move(designFront)),
          m_failing(std::move(failing)) {}

    bool isBatch() const override { return true; }
    int recordCount() const override { return static_cast<int>(m_fronts.size()); }
    CardPicture picture(int record, CardSide side) override;
    CardPicture designFront() const override { return m_design; }
    CardPicture designBack() const override { return m_design; }
    void finish() override { ++finishes; }

    int finishes = 0;
    std::vector<std::pair<int, CardSide>> asked;

private:
    std::vector<CardPicture> m_fronts;
    CardPicture m_design;
    QSet<int> m_failing;
};

// Colour of record i in the tests (distinct, fully saturated).
QColor recordColour(int record);

} // namespace fakecards
