tovira_fuzz_target(fuzz_ofx SOURCES ../exchange/OfxStatement.cpp CORPUS ../tests/exchange/data/ofx)
