#pragma once
// Reads the calls of a tariffing run, and writes them back when the steps are done.
#include "tariffing/hodnoty_tarifu.h"

#include <string>
#include <vector>

namespace kavro {

class Transaction;

class HovoryBehu {
public:
    // Reads the calls below stage 10 into `hovory`, in the order of the
    // table's key. With a range of starts [od, do_), the calls that start in
    // it are read too, whatever their stage, and go back to stage 2; `puvodni`
    // keeps them as they were stored. False when the query failed (chyba says why).
    static bool nacti(Transaction& tr, const std::string& od, const std::string& do_, Pamet& pamet,
                      std::vector<Hovor>& hovory, std::vector<Hovor>& puvodni, std::string& chyba);
    // Writes every call back to dba.hovory (one update each). A call taken
    // back to stage 2 that ends exactly as it was stored is left as it is.
    static bool zapis(Transaction& tr, const std::vector<Hovor>& hovory, const std::vector<Hovor>& puvodni,
                      std::string& chyba);
};

} // namespace kavro
