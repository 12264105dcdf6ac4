#include "libkorva/ipopt_journal.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

IpoptLogJournal::IpoptLogJournal(LogRoute &log, Ipopt::EJournalLevel level)
    : Ipopt::Journal("korva log", level), log_(log) {}

IpoptLogJournal::~IpoptLogJournal() { FlushBufferImpl(); }

void IpoptLogJournal::PrintImpl(Ipopt::EJournalCategory, Ipopt::EJournalLevel,
                                const char *text) {
  pending_ += text;
  size_t newline;
  while ((newline = pending_.find('\n')) != std::string::npos) {
    logLine(log_, pending_.substr(0, newline));
    pending_.erase(0, newline + 1);
  }
}

void IpoptLogJournal::PrintfImpl(Ipopt::EJournalCategory category,
                                 Ipopt::EJournalLevel level, const char *format,
                                 va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length < 0) return;
  std::vector<char> text(length + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  PrintImpl(category, level, text.data());
}

void IpoptLogJournal::FlushBufferImpl() {
  if (pending_.empty()) return;
  logLine(log_, pending_);
  pending_.clear();
}
