# Signatures made by the real minisign with keys made at test time.
tessaro_add_test(update_sign_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kuEd25519StreamVerifierTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuMinisignParseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kuMinisignVerifierTest.cpp
  LIBS tessaro_update_sign tessaro_platform Qt6::Core
  LABELS update sign)
