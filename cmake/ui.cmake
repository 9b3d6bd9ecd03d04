# The Qt program: one static library of every Qt folder, so that the tests
# link exactly what the program runs, and the program entry on top of it.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets PrintSupport LinguistTools)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(kanvio_ui STATIC)
target_include_directories(kanvio_ui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kanvio_ui PUBLIC svl kanvio_net Qt5::Widgets Qt5::PrintSupport)

add_subdirectory(resources)
add_subdirectory(app)
add_subdirectory(views)
add_subdirectory(commands)
add_subdirectory(options)
add_subdirectory(output)

# Only the Qt targets need moc and rcc; the plain libraries' tests and
# benchmarks made after this point do not.
unset(CMAKE_AUTOMOC)
unset(CMAKE_AUTORCC)
