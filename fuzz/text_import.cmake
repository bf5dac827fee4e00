tovira_fuzz_target(fuzz_text_import
  SOURCES ../exchange/ImportFile.cpp ../exchange/TextDecoding.cpp ../exchange/TextImport.cpp
  CORPUS ../tests/exchange/data/text)
