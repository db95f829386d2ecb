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

    // Interleave the data codewords of every block, then their
    // error-correction codewords.
    m_ncAllCodeWord = info.allCodewords;
    m_byAllCodeWord.fill(0);
    const RSBlock& g1 = info.rsBlock1[lv];
    const RSBlock& g2 = info.rsBlock2[lv];
    const int blocks = static_cast<int>(g1.count + g2.count);
    const int ncRS = static_cast<int>(g1.allCodewords - g1.dataCodewords);
    std::vector<int> blockData(static_cast<std::size_t>(blocks));
    std::vector<int> blockStart(static_cast<std::size_t>(blocks));
    {
        int start = 0;
        for (int b = 0; b < blocks; ++b) {
            blockData[static_cast<std::size_t>(b)] =
                static_cast<int>(b < g1.count ? g1.dataCodewords : g2.dataCodewords);
            blockStart[static_cast<std::size_t>(b)] = start;
            start += blockData[static_cast<std::size_t>(b)];
        }
    }
    const int maxData = *std::max_element(blockData.begin(), blockData.end());
    int out = 0;
    for (int column = 0; column < maxData; ++column) {
        for (int b = 0; b < blocks; ++b) {
            if (column < blockData[static_cast<std::size_t>(b)]) {
                m_byAllCodeWord[static_cast<std::size_t>(out++)] =
                    m_byDataCodeWord[static_cast<std::size_t>(
                        blockStart[static_cast<std::size_t>(b)] + column)];
            }
        }
    }
    const int ecStart = out;
    for (int b = 0; b < blocks; ++b) {
        m_byRSWork.fill(0);
        const int ncData = blockData[static_cast<std::size_t>(b)];
        std::memcpy(
            m_byRSWork.data(),
            &m_byDataCodeWord[static_cast<std::size_t>(blockStart[static_cast<std::size_t>(b)])],
            static_cast<std::size_t>(ncData));
        GetRSCodeWord(m_byRSWork.data(), ncData, ncRS);
        for (int k = 0; k < ncRS; ++k) {
            m_byAllCodeWord[static_cast<std::size_t>(ecStart + k * blocks + b)] =
                m_byRSWork[static_cast<std::size_t>(k)];
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
    const std::vector<std::uint8_t> ec =
        reedSolomonRemainder(lpbyRSWork, ncDataCodeWord, ncRSCodeWord);
    std::memset(lpbyRSWork, 0, static_cast<std::size_t>(std::max(ncDataCodeWord, ncRSCodeWord)));
    std::copy(ec.begin(), ec.end(), lpbyRSWork);
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
