// An Ipopt journal that writes Ipopt's output, line by line, to the
// library's log instead of stdout.
#ifndef LIBKORVA_IPOPT_JOURNAL_H
#define LIBKORVA_IPOPT_JOURNAL_H

#include <IpJournalist.hpp>
#include <string>

#include "libkorva/log_sink.h"

class IpoptLogJournal : public Ipopt::Journal {
 public:
  IpoptLogJournal(LogRoute &log, Ipopt::EJournalLevel level);
  ~IpoptLogJournal() override;

 protected:
  void PrintImpl(Ipopt::EJournalCategory category, Ipopt::EJournalLevel level,
                 const char *text) override;
  void PrintfImpl(Ipopt::EJournalCategory category, Ipopt::EJournalLevel level,
                  const char *format, va_list args) override;
  void FlushBufferImpl() override;

 private:
  LogRoute &log_;
  std::string pending_;  // text after the last newline
};

#endif
