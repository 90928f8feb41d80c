# The windows use Qt 6 Widgets; nothing below the window layer may link Qt.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
set(CMAKE_AUTOMOC ON)
