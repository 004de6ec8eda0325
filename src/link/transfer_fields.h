// The fields and the two small routines that every transfer shares: the
// continue flag that the stop button clears, the current line and its fields,
// and the block check of the GTS-210/220 frames.
#pragma once

#include <array>
#include <atomic>
#include <string>
#include <string_view>

namespace velkar::link {

// Control characters on the line.
inline constexpr char STX = '\x02';
inline constexpr char ETX = '\x03';
inline constexpr char EOT = '\x04';
inline constexpr char ENQ = '\x05';
inline constexpr char ACK = '\x06';
inline constexpr char TAB = '\x09';
inline constexpr char LF = '\x0A';
inline constexpr char CR = '\x0D';
inline constexpr char SI = '\x0F';
inline constexpr char NAK = '\x15';

inline constexpr std::size_t kFieldCount = 21;

struct TransferFields {
    // Continue flag.  A transfer sets it when its loop starts; the stop button
    // (or Ctrl-C in velkar-cli, from a signal handler: hence atomic) clears it.
    // It keeps its last value after a transfer: the GTS-210/220 upload reads
    // that leftover value after a Cancel.
    std::atomic<bool> AKTARMA_DEVAM{false};
    std::string SATIR;
    std::array<std::string, kFieldCount> SATIR_ALANLARI;
    std::string BLOK;
    std::string BCC;
};

// Splits SATIR into SATIR_ALANLARI at commas, blanks and TABs, a run of
// separators ending one field only; leading blanks (not TABs) are skipped.
// The table is cleared first, so no field of an earlier line survives; fields
// past the 21st are dropped.  Returns the number of fields found.
int SATIR_AYIR(TransferFields& f);

// BCC = XOR of the character codes of BLOK, as three decimal digits.
void BCC_HESAP(TransferFields& f);
std::string blockCheck(std::string_view block);

}  // namespace velkar::link
