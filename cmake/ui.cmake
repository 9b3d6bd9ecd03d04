# The Qt program, in layers that link only the layers below them, the
# station table library and Qt (see layers.cmake). Every layer under the
# program is one folder, from the bottom up:
#   texts/    kanvio_texts    the text table, the settings file, the version
#   fields/   kanvio_fields   the field catalogue, the option tables, the
#                             character sets, the option pages' controls
#   options/  kanvio_options  the station settings dialog
#   output/   kanvio_output   CSV, printing, clipboard
# The program itself, kanvio_ui, is app/, views/ and commands/, whose parts
# know each other through the main window. The tests link exactly what the
# program runs.
find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Concurrent LinguistTools)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

kanvio_layer(kanvio_texts LINKS Qt5::Gui)
kanvio_layer(kanvio_fields LINKS kanvio_texts svl Qt5::Widgets)
kanvio_layer(kanvio_options LINKS kanvio_fields kanvio_texts svl Qt5::Widgets)
kanvio_layer(kanvio_output LINKS kanvio_fields svl Qt5::PrintSupport)
kanvio_layer(kanvio_ui LINKS kanvio_options kanvio_output kanvio_fields kanvio_texts svl kanvio_net Qt5::Widgets
  Qt5::PrintSupport Qt5::Concurrent)

add_subdirectory(resources)
add_subdirectory(texts)
add_subdirectory(fields)
add_subdirectory(app)
add_subdirectory(views)
add_subdirectory(commands)
add_subdirectory(options)
add_subdirectory(output)

# Only the Qt targets need moc and rcc; the plain libraries' tests and
# benchmarks made after this point do not.
unset(CMAKE_AUTOMOC)
unset(CMAKE_AUTORCC)
