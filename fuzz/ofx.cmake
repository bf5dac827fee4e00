tovira_fuzz_target(fuzz_ofx SOURCES ../exchange/OfxStatement.cpp ../exchange/OfxValueText.cpp ../exchange/ImportFile.cpp ../exchange/TextDecoding.cpp CORPUS ../tests/exchange/data/ofx)
