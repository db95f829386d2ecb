#pragma once
// Whether a series is bound to an object of the card. The card's object
// lists are described plainly, so this test needs no card model.

#include <QString>
#include <vector>

// What the test needs of one card object.
struct SeriesBoundObject {
    QString className;        // the object's exact class, e.g. "SKTText"
    int data_source_type = 0; // 0 typed value, 1 data series, 2 spreadsheet column
    QString batch_list_name;
};

// The front and back object lists, in list order.
struct SeriesBindingSides {
    std::vector<SeriesBoundObject> front;
    std::vector<SeriesBoundObject> back;
};

// Only objects of exactly these classes take values from series and
// spreadsheet columns: SKTText, SKTImage and SKTBarcode.
bool Is_Series_Bindable_Class(const QString& className);

// True when the series' file exists and an eligible front object, or, while
// CARD_SIDE_STR is "2", an eligible back object, is bound to the series by
// that exact name.
bool Check_Batch_File_In_Use_Validation(const QString& name, const SeriesBindingSides& card);
