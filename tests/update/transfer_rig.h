#pragma once
// The transfer engine the check drives in the tests, with what a test reads back from it.
#include "client_transfers.h"

namespace muwu::test {

class TransferRig {
  public:
    [[nodiscard]] TransferWindow& window() { return w_; }
    [[nodiscard]] qint64 expectedSize() const { return w_.expectedSize(); }
    [[nodiscard]] int slowCount() const { return w_.slowCount; }
    [[nodiscard]] bool shown() const { return w_.shown; }

  private:
    ClientTransfers w_;
};

}  // namespace muwu::test
