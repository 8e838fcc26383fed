# The decisions of both programs: plain C++ that never includes windows.h.
# They are built into the programs and also natively (tests/native), where a
# platform include fails the build. Paths from the source folder.
set(SORVANE_HOST_RULE_SOURCES
  host/button/button_rules.cpp
  host/dialog/dialog_rules.cpp
  host/saver_rules.cpp
  host/settings_rules.cpp
  host/startup_rules.cpp)
set(SORVANE_RENDERER_RULE_SOURCES
  renderer/dib_layout.cpp
  renderer/display_rules.cpp
  renderer/frame_pacing_rules.cpp
  renderer/image_messages.cpp
  renderer/scene_frame.cpp)
# Their tests, run natively and under Wine with the other unit tests.
set(SORVANE_RULE_TESTS
  tests/unit/host/button_rules_test.cpp
  tests/unit/host/dialog_rules_test.cpp
  tests/unit/host/saver_rules_test.cpp
  tests/unit/host/settings_rules_test.cpp
  tests/unit/host/startup_rules_test.cpp
  tests/unit/renderer/display_rules_test.cpp
  tests/unit/renderer/frame_pacing_rules_test.cpp
  tests/unit/renderer/scene_frame_test.cpp)
