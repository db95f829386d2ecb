#include "dataseries/SeriesBindingSource.h"

#include <atomic>

namespace {
std::atomic<SeriesBindingSource*> g_source{nullptr};
}

SeriesBindingSource* SeriesBindingSource::current() {
    return g_source.load();
}

void SeriesBindingSource::setCurrent(SeriesBindingSource* source) {
    g_source.store(source);
}

SeriesBindingSides Current_Card_Series_Bindings() {
    if (const SeriesBindingSource* source = SeriesBindingSource::current()) {
        return source->Card_Series_Bindings();
    }
    return {};
}

bool Series_In_Use_On_Card(const QString& name) {
    return Check_Batch_File_In_Use_Validation(name, Current_Card_Series_Bindings());
}
