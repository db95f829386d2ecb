#pragma once
// Where the series windows learn which series the open card uses: the main
// window controller registers itself; without it no series counts as bound.

#include "dataseries/SeriesInUse.h"

class SeriesBindingSource {
public:
    virtual ~SeriesBindingSource() = default;
    // The card's front and back objects as the in-use test needs them.
    virtual SeriesBindingSides Card_Series_Bindings() const = 0;

    static SeriesBindingSource* current();
    static void setCurrent(SeriesBindingSource* source);
};

// The bindings of the registered card; none without one.
SeriesBindingSides Current_Card_Series_Bindings();

// Check_Batch_File_In_Use_Validation against the registered card.
bool Series_In_Use_On_Card(const QString& name);
