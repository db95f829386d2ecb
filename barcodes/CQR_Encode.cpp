#include "barcodes/CQR_Encode.h"

#include "barcodes/QrReedSolomon.h"

#include <algorithm>
#include <cstring>

using namespace qr;

CQR_Encode::CQR_Encode() = default;

bool CQR_Encode::EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo,
                            const char* lpsSource, int ncSource) {
    m_nSymbleSize = 0;
    if (nLevel < 0 || nLevel > 3 || nVersion < 0 || nVersion > kMaxVersion || nMaskingNo < -1 ||
        nMaskingNo > 7 || lpsSource == nullptr || ncSource < 0) {
        return false;
    }
    m_nLevel = nLevel;
    m_nMaskingNo = nMaskingNo;
    const int ncLength =
        ncSource > 0 ? ncSource
                     : static_cast<int>(std::min<std::size_t>(std::strlen(lpsSource), 1u << 30));
    if (ncLength == 0) {
        return false;
    }

    const int found = GetEncodeVersion(nVersion, lpsSource, ncLength);
    if (found == 0) {
        return false;
    }
    if (nVersion == 0 || found > nVersion) {
        if (nVersion != 0 && !bAutoExtent) {
            return false;
        }
        m_nVersion = found;
    } else {
        m_nVersion = nVersion;
    }

    const VersionInfo& info = QR_VersonInfo[static_cast<std::size_t>(m_nVersion)];
    const auto lv = static_cast<std::size_t>(m_nLevel);
    const int ncDataCodeWord = static_cast<int>(info.dataCodewords[lv]);

    // Terminator, then pad codewords.
    const int ncTerminator =
        std::min<int>(4, ncDataCodeWord * 8 - static_cast<int>(m_ncDataCodeWordBit));
    if (ncTerminator > 0) {
        m_ncDataCodeWordBit = SetBitStream(static_cast<int>(m_ncDataCodeWordBit), 0, ncTerminator);
    }
    std::uint8_t pad = 0xEC;
    for (int i = static_cast<int>((m_ncDataCodeWordBit + 7) / 8); i < ncDataCodeWord; ++i) {
        m_byDataCodeWord[static_cast<std::size_t>(i)] = pad;
        pad = pad == 0xEC ? 0x11 : 0xEC;
    }

    // Blocks: the first group's, then the second group's, each holding a
    // run of the data codewords in order.
    m_ncAllCodeWord = info.allCodewords;
    const RSBlock& first = info.rsBlock1[lv];
    const RSBlock& second = info.rsBlock2[lv];
    const int firstCount = static_cast<int>(first.count);
    const int blocks = firstCount + static_cast<int>(second.count);
    const int firstData = static_cast<int>(first.dataCodewords);
    const int secondData = static_cast<int>(second.dataCodewords);
    const int ecPerBlock = static_cast<int>(first.allCodewords - first.dataCodewords);
    auto dataIn = [&](int block) { return block < firstCount ? firstData : secondData; };
    auto startOf = [&](int block) {
        return block < firstCount ? block * firstData
                                  : firstCount * firstData + (block - firstCount) * secondData;
    };

    // Data codewords go out column by column across the blocks: the first
    // codeword of every block, then the second, and so on; the longer
    // blocks of the second group finish alone.
    std::uint8_t* out = m_byAllCodeWord.data();
    const int longest = std::max(firstData, secondData);
    for (int column = 0; column < longest; ++column) {
        for (int block = 0; block < blocks; ++block) {
            if (column < dataIn(block)) {
                *out++ = m_byDataCodeWord[static_cast<std::size_t>(startOf(block) + column)];
            }
        }
    }
    // Error-correction codewords follow in the same column order; all
    // blocks have the same number of them.
    std::uint8_t* const ecStart = out;
    for (int block = 0; block < blocks; ++block) {
        reedSolomonRemainderInto(&m_byDataCodeWord[static_cast<std::size_t>(startOf(block))],
                                 dataIn(block), ecPerBlock, m_byRSWork.data());
        for (int k = 0; k < ecPerBlock; ++k) {
            ecStart[k * blocks + block] = m_byRSWork[static_cast<std::size_t>(k)];
        }
    }

    m_nSymbleSize = 17 + 4 * m_nVersion;
    FormatModule();
    return true;
}

int CQR_Encode::GetEncodeVersion(int nVersion, const char* lpsSource, int ncLength) {
    const auto lv = static_cast<std::size_t>(m_nLevel);
    static constexpr int kGroupFirst[3] = {1, 10, 27};
    static constexpr int kGroupLast[3] = {9, 26, 40};
    for (int group = nVersion == 0 ? 0 : versionGroup(nVersion); group < 3; ++group) {
        if (!EncodeSourceData(lpsSource, ncLength, group)) {
            continue;
        }
        const std::int64_t needed = (m_ncDataCodeWordBit + 7) / 8;
        for (int v = kGroupFirst[group]; v <= kGroupLast[group]; ++v) {
            if (QR_VersonInfo[static_cast<std::size_t>(v)].dataCodewords[lv] >= needed) {
                return v;
            }
        }
    }
    return 0;
}

void CQR_Encode::GetRSCodeWord(std::uint8_t* lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord) {
    std::array<std::uint8_t, kMaxGeneratorDegree> ec{};
    const int n = std::clamp(ncRSCodeWord, 0, kMaxGeneratorDegree);
    reedSolomonRemainderInto(lpbyRSWork, ncDataCodeWord, n, ec.data());
    std::memset(lpbyRSWork, 0, static_cast<std::size_t>(std::max(ncDataCodeWord, n)));
    std::copy_n(ec.begin(), n, lpbyRSWork);
}

std::vector<std::uint8_t> CQR_Encode::allCodewords() const {
    return {m_byAllCodeWord.begin(), m_byAllCodeWord.begin() + m_ncAllCodeWord};
}

std::vector<std::uint8_t> CQR_Encode::dataCodewords() const {
    if (m_nVersion == 0) {
        return {};
    }
    const auto n = QR_VersonInfo[static_cast<std::size_t>(m_nVersion)]
                       .dataCodewords[static_cast<std::size_t>(m_nLevel)];
    return {m_byDataCodeWord.begin(), m_byDataCodeWord.begin() + n};
}
