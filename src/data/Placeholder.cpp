namespace brimo::data {}
