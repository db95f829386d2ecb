#pragma once
// The batch state of a print, export or e-mail run: whether series values
// or spreadsheet values fill the cards, and how many records the run has.
// Read by the worker threads of export and e-mail, hence atomic.

#include <atomic>
#include <cstdint>

// Series values are used in this run.
inline std::atomic<bool> Use_Data_Sheet_Values{false};
// Spreadsheet values are used in this run.
inline std::atomic<bool> Use_Excel_Binding_Values{false};
// Number of records of the run: the larger of the two counts.
inline std::atomic<std::int32_t> Total_Batch_Excel_Card{0};
// Number of series records: the longest loaded series of the batch table.
inline std::atomic<std::int32_t> Data_table_rows{0};
// Number of rows of the imported spreadsheet table.
inline std::atomic<std::int32_t> Excel_table_rows{0};
