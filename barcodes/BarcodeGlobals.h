#pragma once
// Process-wide state of the barcode designer shared with the model, the
// renderers and the 2D encoders. Values read by worker threads are atomic.

#include "platform/CardPicture.h"

#include <atomic>

class Barcode_Gen;

// The barcode designer, set once when its window is built.
inline Barcode_Gen* Barcode_Gen_Var = nullptr;
// The picture of the last designer run or batch fill.
inline CardPicture Barcode_output_image;
// Resolution of 2D barcode pictures in dots per inch.
inline std::atomic<int> USED_DPI_VALUE{600};
// Module size of Data Matrix drawing.
inline std::atomic<int> Barcode_module_size{1};
// Indexes of the chosen QR version and error-correction level.
inline std::atomic<int> QR_Version_Val{0};
inline std::atomic<int> QR_EC_Level_Val{0};
// Unit of the designer's sizes; always 1.
inline std::atomic<int> Measument_Unit_Is{1};
