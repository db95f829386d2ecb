#include "output/core/CardSource.h"

#include "core/globals.h"

CardPicture DesignCardSource::picture(int record, CardSide side) {
    if (record != 0) {
        return {};
    }
    Card_Front_Or_Back = side == CardSide::Back ? 1 : 0;
    return side == CardSide::Back ? m_back : m_front;
}
