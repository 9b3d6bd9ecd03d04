# The Qt program, in layers that link only the layers below them, the
# station table library and Qt (see layers.cmake): the texts and settings;
# the option tables, the field catalogue and the character sets; the
# station settings dialog; and the program itself (app/, views/,
# commands/), whose parts know each other through the main window. Output
# (CSV, printing, clipboard) comes in as a layer over the field catalogue,
# named in the program's LINKS. The tests link exactly what the program
# runs.
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
